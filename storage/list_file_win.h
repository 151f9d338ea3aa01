// Reading and writing the list files on disk.
#pragma once

#include <string>
#include <vector>

#include "scores/best_times.h"

enum class ListFileRead {
    Read,        // the file was read; its entries and best times are installed
    Missing,     // no such file: the list starts empty
    Unreadable,  // the file exists but could not be read: leave it alone
};

// Appends the file's entries to `list` and loads its best times into
// `table`, both only once the whole file has been read.
ListFileRead ReadListFile(const std::string& path, std::vector<std::string>& list,
                          HighScoreTable& table);

// Write the two files through a temporary file beside them, so a failure
// leaves the old file as it was. True when the new file is in place.
bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list,
                        const HighScoreTable& table);
bool WriteSoundListFile(const std::string& path, const std::vector<std::string>& list);

// The directory of the running program, with its final backslash; empty when
// it cannot be told (the bare file names then name files in the current
// directory).
std::string GetProgramDirectory();
