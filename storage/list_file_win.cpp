// The list files on disk: whole-file reads, and writes that replace the old file in one step.
#include "storage/list_file_win.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "storage/file_handle.h"
#include "storage/list_file.h"
#include "storage/paths.h"

namespace {

// A list file larger than this is not a list this program wrote.
constexpr LONGLONG kMaxListFileBytes = 256LL * 1024 * 1024;

bool IsMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool ReadWholeFile(HANDLE file, std::string& bytes) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size) || size.QuadPart > kMaxListFileBytes) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(bytes.size() - done);
        if (!ReadFile(file, &bytes[done], want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
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
    GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &needed);
    if (needed > 0) {
        kept.security.resize(needed);
        if (!GetFileSecurityA(path.c_str(), DACL_SECURITY_INFORMATION, kept.security.data(), needed, &needed)) {
            kept.security.clear();
        }
    }
    return kept;
}

// Called on the closed temporary file, before it is renamed.
void GiveKeepsake(const std::string& temporary, const Keepsake& kept) {
    if (kept.attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!kept.security.empty()) {
        SetFileSecurityA(temporary.c_str(), DACL_SECURITY_INFORMATION,
                         reinterpret_cast<PSECURITY_DESCRIPTOR>(const_cast<BYTE*>(kept.security.data())));
    }
    constexpr DWORD kCarried = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                               FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (kept.attributes & kCarried) SetFileAttributesA(temporary.c_str(), kept.attributes & kCarried);
}

// Renames the temporary file over the list. Another program that has the
// list open for a moment (a virus scanner, a backup, an editor reading it)
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

// The new content goes to a temporary file beside the list first and is
// flushed; only then does it replace the old file, so a full disk, a
// read-only folder or a crash never leaves a half-written list behind.
// A list file the player made read-only is not replaced either (Windows
// refuses that itself; Wine run by root would not).
bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::string temporary = TemporaryPath(path);
    ClearStaleTemporary(temporary);
    const Keepsake kept = TakeKeepsake(path, attributes);
    bool written;
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        written = WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
        if (written && kept.hasCreated) SetFileTime(file.get(), &kept.created, nullptr, nullptr);
    }
    if (written) GiveKeepsake(temporary, kept);
    if (written && ReplaceWithTemporary(temporary, path)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

// The whole file, shared with readers only, so that nobody writes it meanwhile.
ListFileRead ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return IsMissing(GetLastError()) ? ListFileRead::Missing : ListFileRead::Unreadable;
    if (!ReadWholeFile(file.get(), bytes)) {
        bytes.clear();
        return ListFileRead::Unreadable;
    }
    return ListFileRead::Read;
}

// A list file as above. One that holds no list the reader knows counts as
// unreadable: taken for an empty list, it would be written over by the next save.
ListFileRead ReadListFileBytes(const std::string& path, std::string& bytes) {
    const ListFileRead read = ReadFileBytes(path, bytes);
    if (read != ListFileRead::Read || HoldsListFile(bytes)) return read;
    bytes.clear();
    return ListFileRead::Unreadable;
}

const char kImageListFile[] = "kanoze.txt";
const char kSoundListFile[] = "sound.txt";

// The rule of the system's own code page, in which the program's path comes.
bool IsAnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

// The list a save of kanoze.txt writes: the play-list, or the file's own
// while a single picture is shown.
SavedList ListOfMode(bool singleFileMode) { return singleFileMode ? SavedList::FileOwn : SavedList::Given; }

// Saves kanoze.txt: the best times merged with those the file holds now, and
// `imageList` when `list` asks for it and it is the player's, else a list
// whose save failed before, else the file's own. A file that cannot be read
// is not written; a best time then waits for the next save. True when the
// file was written.
bool SaveKanozeTxt(ListFiles& files, const std::vector<std::string>& imageList, SavedList list,
                   HighScoreTable& table) {
    if (!ImageListSaveWanted(files, list)) return false;
    const bool useMemoryList = list == SavedList::Given && files.imageListKnown;
    const std::vector<std::string>* given =
        useMemoryList ? &imageList : files.unsavedImageList ? &*files.unsavedImageList : nullptr;
    const std::vector<std::string> noList;
    std::string bytes;
    // Never write what was not read: the file may hold best times of its own.
    bool written = false;
    if (ReadListFileBytes(files.imagePath, bytes) != ListFileRead::Unreadable) {
        ImageListSave save =
            ComposeImageListSave(bytes, given ? *given : noList, given ? SavedList::Given : SavedList::FileOwn, table);
        table = std::move(save.bestTimes);
        written = WriteFileReplacing(files.imagePath, save.bytes);
    }
    if (!written) {
        // Kept for the next save, as a best time is.
        if (useMemoryList) files.unsavedImageList = imageList;
        return false;
    }
    files.recordsPending = false;
    files.unsavedImageList.reset();
    return true;
}

bool WriteSoundListFile(const std::string& path, const std::vector<std::string>& list) {
    return WriteFileReplacing(path, FormatSoundListFile(list));
}

}  // namespace

ListFileRead ReadListFile(const std::string& path, std::vector<std::string>& list, HighScoreTable& table) {
    std::string bytes;
    const ListFileRead read = ReadListFileBytes(path, bytes);
    // Entries and best times are installed only once the whole file is in.
    if (read == ListFileRead::Read) ParseListFile(bytes, list, table);
    return read;
}

bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list,
                        const HighScoreTable& table) {
    return WriteFileReplacing(path, FormatImageListFile(list, table));
}

ListFilesFound LoadListFiles(ListFiles& files, std::vector<std::string>& imageList,
                             std::vector<std::string>& soundList, HighScoreTable& table) {
    const std::string directory = GetProgramDirectory();
    files.imagePath = directory + kImageListFile;
    files.soundPath = directory + kSoundListFile;
    const ListFilesFound found = {ReadListFile(files.imagePath, imageList, table),
                                  ReadListFile(files.soundPath, soundList, table)};
    files.imageListKnown = found.images != ListFileRead::Unreadable;
    files.soundListKnown = found.sounds != ListFileRead::Unreadable;
    files.recordsPending = false;
    return found;
}

ListFileRead ReloadImageListFile(ListFiles& files, std::vector<std::string>& imageList, HighScoreTable& table) {
    // A list whose save failed goes to the file first; while it cannot, it
    // stays the list rather than the older one the file still holds.
    if (files.unsavedImageList && !SaveKanozeTxt(files, {}, SavedList::FileOwn, table)) {
        imageList = *files.unsavedImageList;
        files.imageListKnown = true;
        return ListFileRead::Read;
    }
    imageList.clear();
    std::string bytes;
    const ListFileRead read = ReadListFileBytes(files.imagePath, bytes);
    files.imageListKnown = read != ListFileRead::Unreadable;
    if (read == ListFileRead::Read) {
        HighScoreTable stored = table;
        ParseListFile(bytes, imageList, stored);
        KeepBetterTimes(table, stored);
    }
    return read;
}

bool SaveImageListFile(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table) {
    return SaveKanozeTxt(files, imageList, SavedList::Given, table);
}

bool SaveEditedImageList(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table) {
    files.imageListKnown = true;
    return SaveKanozeTxt(files, imageList, SavedList::Given, table);
}

bool SaveBestTime(ListFiles& files, const std::vector<std::string>& imageList, bool singleFileMode,
                  HighScoreTable& table) {
    files.recordsPending = true;
    return SaveKanozeTxt(files, imageList, ListOfMode(singleFileMode), table);
}

bool SaveSoundListFile(ListFiles& files, const std::vector<std::string>& soundList, bool confirmed) {
    if (confirmed) files.soundListKnown = true;
    if (!files.soundListKnown) return false;
    std::string bytes;
    if (ReadListFileBytes(files.soundPath, bytes) == ListFileRead::Unreadable) return false;
    return WriteSoundListFile(files.soundPath, soundList);
}

void SaveListFilesAtExit(ListFiles& files, const std::vector<std::string>& imageList, bool singleFileMode,
                         const std::vector<std::string>& soundList, HighScoreTable& table) {
    SaveKanozeTxt(files, imageList, ListOfMode(singleFileMode), table);
    SaveSoundListFile(files, soundList, false);
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

bool WriteWholeFile(const std::string& path, const std::string& bytes) { return WriteFileReplacing(path, bytes); }

ListFileRead ReadWholeFile(const std::string& path, std::string& bytes) { return ReadFileBytes(path, bytes); }
