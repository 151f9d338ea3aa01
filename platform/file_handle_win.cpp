// Opening files the program did not write itself.
#include "platform/file_handle_win.h"

FileHandle OpenDiskFile(const char* path, DWORD share, DWORD flags) {
    FileHandle file(
        CreateFileA(path, GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | flags, nullptr));
    if (!file.Valid()) return file;
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        SetLastError(ERROR_BAD_FILE_TYPE);
        return FileHandle();
    }
    return file;
}
