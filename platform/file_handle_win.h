// A file handle held for one job and closed on every path, and the one way
// the program opens a file it did not write itself.
#pragma once

#include <windows.h>

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~FileHandle() {
        if (Valid()) CloseHandle(handle_);
    }
    FileHandle(FileHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle& operator=(FileHandle&&) = delete;

    HANDLE get() const { return handle_; }
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// Opens an existing file to read it, shared as `share` says, with `flags`
// (FILE_FLAG_SEQUENTIAL_SCAN for a file read once from start to end). Only a
// file on a disk is kept: a pipe, a serial port or a console named in a list
// could hold the first read for as long as its other end likes, so it is
// closed again unread (GetLastError then says ERROR_BAD_FILE_TYPE). On
// failure GetLastError tells why.
FileHandle OpenDiskFile(const char* path, DWORD share, DWORD flags = 0);
