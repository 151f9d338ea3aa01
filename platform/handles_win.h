// Holders that give a kernel handle, a file search or the COM apartment back
// on every path.
#pragma once

#include <windows.h>
#include <objbase.h>

// A kernel object's handle (a mutex, an event), closed when the holder goes.
class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE handle = nullptr) : handle_(handle) {}
    ~OwnedHandle() {
        if (handle_) CloseHandle(handle_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HANDLE handle_;
};

// A search of a folder by FindFirstFile, ended by FindClose when the holder goes.
class FileSearch {
  public:
    explicit FileSearch(HANDLE search) : search_(search) {}
    ~FileSearch() {
        if (Valid()) FindClose(search_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    HANDLE get() const { return search_; }
    bool Valid() const { return search_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE search_;
};

// The thread's COM apartment for as long as the holder lives: every picture
// decoder and the filter graph are made in it. Left only when it was entered.
class ComApartment {
  public:
    ComApartment() : entered_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (entered_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

    bool Entered() const { return entered_; }

  private:
    bool entered_;
};
