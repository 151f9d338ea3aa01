// The list files on disk: whole-file reads, and writes that replace the old file in one step.
#include "storage/list_file_win.h"

#include <windows.h>

#include <iterator>

#include "storage/list_file.h"

namespace {

// A list file larger than this is not a list this program wrote.
constexpr LONGLONG kMaxListFileBytes = 256LL * 1024 * 1024;

struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
};

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

// The new content goes to "<path>.tmp" first and is flushed; only then does
// it replace the old file, so a full disk, a read-only folder or a crash
// never leaves a half-written list behind.
// A list file the player made read-only is not replaced either (Windows
// refuses that itself; Wine run by root would not).
bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::string temporary = path + ".tmp";
    bool written;
    {
        FileHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        written = WriteAll(file.handle, bytes) && FlushFileBuffers(file.handle);
    }
    if (written &&
        MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

}  // namespace

ListFileRead ReadListFile(const std::string& path, std::vector<std::string>& list,
                          HighScoreTable& table) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return IsMissing(GetLastError()) ? ListFileRead::Missing : ListFileRead::Unreadable;
    std::string bytes;
    if (!ReadWholeFile(file.handle, bytes)) return ListFileRead::Unreadable;

    std::vector<std::string> entries;
    HighScoreTable scores = table;
    ParseListFile(bytes, entries, scores);
    list.insert(list.end(), std::make_move_iterator(entries.begin()), std::make_move_iterator(entries.end()));
    table = scores;
    return ListFileRead::Read;
}

bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list,
                        const HighScoreTable& table) {
    return WriteFileReplacing(path, FormatImageListFile(list, table));
}

bool WriteSoundListFile(const std::string& path, const std::vector<std::string>& list) {
    return WriteFileReplacing(path, FormatSoundListFile(list));
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
    std::string directory;
    return ProgramDirectory(module, directory) ? directory : std::string();
}
