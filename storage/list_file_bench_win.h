// For the bench alone: one list file read and written as it is, with none of
// the rules of the saves in list_file_win.h.
#pragma once

#include <string>
#include <vector>

#include "scores/best_times.h"
#include "storage/list_file_win.h"

// The entries of the list file at `path`; its best times come into `table`.
ListRead ReadListFile(const std::string& path, HighScoreTable& table);
// kanoze.txt's bytes for `list` and `table`, written whole at `path`; false when they could not be.
bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list, const HighScoreTable& table);
