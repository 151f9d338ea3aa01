// Whole files on disk, read at once and written the safe way, and the
// program's own folder, beside which every file of the program lies.
#pragma once

#include <map>
#include <string>

#include "storage/files/file_read.h"

// A whole file as read, and what became of the read.
struct WholeFile {
    FileRead read = FileRead::Unreadable;
    std::string bytes;  // empty unless the file was read
};

// The whole file, shared with readers only, so that nobody writes it meanwhile.
WholeFile ReadWholeFile(const std::string& path);
// Written whole: through a temporary file beside it that replaces the old
// one only when complete and flushed, keeping the old file's attributes, so
// that a crash, a full disk or a read-only folder leaves the old file or the
// new one, never a part. False when it could not be.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Adds `line` at the end of the file, which is made when missing, in one
// write; the file is never rewritten, so whatever becomes of the write, the
// lines before it stay. A last line left without its line break (an editor,
// a write cut short) gets one first, in the same write. False when it could
// not be: a read-only file or folder, a full disk.
bool AppendLine(const std::string& path, const std::string& line);

// The file's last `maxBytes` bytes, or all of it when it is no larger.
struct FileTail {
    FileRead read = FileRead::Unreadable;
    std::string bytes;  // empty unless the file was read
    bool whole = false;  // the bytes begin at the file's start
};
FileTail ReadFileTail(const std::string& path, size_t maxBytes);

// The directory of the running program, with its final backslash; empty when
// it cannot be told (the bare file names then name files in the current
// directory).
std::string GetProgramDirectory();
// How a list entry names the file at `path`: relative to the program's
// folder `folder` when it lies inside it (see ListEntryFor).
std::string ListEntryForFile(const std::string& folder, const std::string& path);

// Whether the folder `path` lies in exists, asked once per folder of a walk
// of a play-list: a folder that is gone takes all its entries with it at the
// cost of one question, not one for each.
class FolderCheck {
  public:
    bool FolderExists(const std::string& path);

  private:
    std::map<std::string, bool> known_;
};
