// Whole files on disk: read at once, and written through a temporary file
// that replaces the old one in one step; and the program's own folder.
#include "storage/files/files_win.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "platform/code_page_win.h"
#include "platform/file_handle_win.h"
#include "platform/paths.h"

namespace {

// A file larger than this is none the program wrote.
constexpr LONGLONG kMaxWholeFileBytes = 256LL * 1024 * 1024;

bool IsMissing(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The file's bytes; none when it cannot be read to its end or is too large.
std::optional<std::string> ReadAll(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kMaxWholeFileBytes) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file, &bytes[done], want, &got, nullptr) || got == 0) return std::nullopt;
        done += got;
    }
    return bytes;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

// A temporary file left by a crash may carry attributes that CreateFile
// refuses to overwrite (read-only, hidden, system); they are cleared so that
// it never stands in the way of a save.
void ClearStaleTemporary(const std::string& temporary) {
    const DWORD attributes = GetFileAttributesA(temporary.c_str());
    constexpr DWORD kInTheWay = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
    // Should this fail, the CreateFile of the save fails too, and the save with it.
    if (attributes & kInTheWay) SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// What the player or the system gave the old file: its attributes (a hidden
// list stays hidden), creation time and access rights. ReplaceFile promises
// the same, but Wine's moves the old file away before the new one comes in,
// so a crash between the two steps would leave no list at all; the new file
// takes them over instead and then one rename puts it in place.
struct Keepsake {
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    FILETIME created = {};
    bool hasCreated = false;
    std::vector<BYTE> security;
};

Keepsake TakeKeepsake(const std::string& path, DWORD attributes) {
    Keepsake kept;
    kept.attributes = attributes;
    if (attributes == INVALID_FILE_ATTRIBUTES) return kept;
    {
        FileHandle old(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        kept.hasCreated = old.Valid() && GetFileTime(old.get(), &kept.created, nullptr, nullptr);
    }
    DWORD needed = 0;
    // Asked with no buffer, the call fails by design and only tells the size.
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed > 0) {
        kept.security.resize(needed);
        if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, kept.security.data(), needed, &needed)) {
            kept.security.clear();
        }
    }
    return kept;
}

// Called on the closed temporary file, before it is renamed. What cannot be
// given (a file system without access lists or attributes) is left out: the
// new content matters more than the old file's looks, and a save is not
// refused for them.
void GiveKeepsake(const std::string& temporary, const Keepsake& kept) {
    if (kept.attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!kept.security.empty()) {
        SetFileSecurityA(temporary.c_str(), DACL_SECURITY_INFORMATION,
                         reinterpret_cast<PSECURITY_DESCRIPTOR>(const_cast<BYTE*>(kept.security.data())));
    }
    constexpr DWORD kCarried =
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (kept.attributes & kCarried) SetFileAttributesA(temporary.c_str(), kept.attributes & kCarried);
}

// Renames the temporary file over the old one. Another program that has the
// file open for a moment (a virus scanner, a backup, an editor reading it)
// makes the rename fail while it holds it: it is tried again for a while.
bool ReplaceWithTemporary(const std::string& temporary, const std::string& path) {
    constexpr int kTries = 10;
    constexpr DWORD kPauseMs = 25;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        const bool held =
            error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
        if (!held || attempt == kTries) return false;
        Sleep(kPauseMs);
    }
}

}  // namespace

// The new content goes to a temporary file beside the old one first and is
// flushed; only then does it replace the old file, so a full disk, a
// read-only folder or a crash never leaves a half-written file behind.
// A file the player made read-only is not replaced either (Windows refuses
// that itself; Wine run by root would not).
bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::string temporary = TemporaryPath(path);
    ClearStaleTemporary(temporary);
    const Keepsake kept = TakeKeepsake(path, attributes);
    bool written;
    {
        FileHandle file(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
        // The creation time is a keepsake as the attributes are: the save goes on without it.
        if (written && kept.hasCreated) SetFileTime(file.get(), &kept.created, nullptr, nullptr);
    }
    if (written) GiveKeepsake(temporary, kept);
    if (written && ReplaceWithTemporary(temporary, path)) return true;
    // A temporary file left behind is written over by the next save.
    DeleteFileA(temporary.c_str());
    return false;
}

WholeFile ReadWholeFile(const std::string& path) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return {IsMissing(GetLastError()) ? FileRead::Missing : FileRead::Unreadable, {}};
    std::optional<std::string> bytes = ReadAll(file.get());
    if (!bytes) return {FileRead::Unreadable, {}};
    return {FileRead::Read, std::move(*bytes)};
}

// Whether a file open for reading and appending ends in a line break, or is
// empty; its file pointer is left anywhere.
bool EndsLine(HANDLE file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size)) return false;
    if (size.QuadPart == 0) return true;
    LARGE_INTEGER last;
    last.QuadPart = size.QuadPart - 1;
    char byte = 0;
    DWORD got = 0;
    return SetFilePointerEx(file, last, nullptr, FILE_BEGIN) && ReadFile(file, &byte, 1, &got, nullptr) &&
           got == 1 && byte == '\n';
}

bool AppendLine(const std::string& path, const std::string& line) {
    // Appending only: the handle cannot write anywhere but at the end.
    FileHandle file(CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA | SYNCHRONIZE, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
    const std::string bytes = EndsLine(file.get()) ? line : "\r\n" + line;
    LARGE_INTEGER end = {};
    if (!SetFilePointerEx(file.get(), end, nullptr, FILE_END)) return false;
    DWORD wrote = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) &&
           wrote == bytes.size();
}

FileTail ReadFileTail(const std::string& path, size_t maxBytes) {
    FileHandle file = OpenDiskFile(path.c_str(), FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!file.Valid()) return {IsMissing(GetLastError()) ? FileRead::Missing : FileRead::Unreadable, {}, false};
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) return {};
    const LONGLONG skipped = std::max<LONGLONG>(0, size.QuadPart - static_cast<LONGLONG>(maxBytes));
    LARGE_INTEGER from;
    from.QuadPart = skipped;
    if (!SetFilePointerEx(file.get(), from, nullptr, FILE_BEGIN)) return {};
    std::string bytes(static_cast<size_t>(size.QuadPart - skipped), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file.get(), &bytes[done], want, &got, nullptr)) return {};
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return {FileRead::Read, std::move(bytes), skipped == 0};
}

std::string GetProgramDirectory() {
    std::string module(MAX_PATH, '\0');
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, &module[0], static_cast<DWORD>(module.size()));
        if (n == 0) return std::string();
        if (n < module.size()) {
            module.resize(n);
            break;
        }
        module.resize(module.size() * 2);  // the path was cut; try a larger buffer
    }
    return ProgramDirectory(module, IsAnsiLeadByte);
}

std::string ListEntryForFile(const std::string& folder, const std::string& path) {
    return ListEntryFor(folder, path, IsAnsiLeadByte);
}

bool FolderCheck::FolderExists(const std::string& path) {
    const std::string folder = ProgramDirectory(path, IsAnsiLeadByte);
    if (folder.empty()) return true;  // a bare name: the open tells
    const auto found = known_.find(folder);
    if (found != known_.end()) return found->second;
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    // Only a folder known to be missing counts; any other answer leaves it to the open.
    const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
    const bool exists = !IsMissing(error);
    known_.emplace(folder, exists);
    return exists;
}
