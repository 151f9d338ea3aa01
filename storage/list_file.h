// The text format of kanoze.txt and sound.txt: line splitting, the reader's
// section rules and the two writers' bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scores/best_times.h"

// Takes the next LF-ended line of `bytes` from `readIndex` on into `line`,
// dropping CR bytes. A last line without an LF is taken too, unless it holds
// nothing but CR bytes. Returns false when no bytes are left.
bool ReadLine(std::string_view bytes, size_t& readIndex, std::string& line);

// What a list file holds.
struct ListFileContent {
    std::vector<std::string> entries;  // the file section's lines, in order
    HighScoreTable table;
};

// Reads a whole list file. The score-section lines are read over
// `startingTable`, the easy table first, then the difficult one; lines past
// the 98 entries are ignored, and entries the file does not reach keep the
// starting values. What text editors write is read too: a UTF-8 byte-order
// mark before the first line, and lines ended by CR alone when the file
// holds no LF at all.
ListFileContent ParseListFile(std::string_view bytes, const HighScoreTable& startingTable);

// True when `bytes` can be the content of a list file: empty, or holding a
// marker that opens a section. Anything else (a list saved as UTF-16, a text
// that is no list) is not read, and so never replaced by a save.
bool HoldsListFile(std::string_view bytes);

// kanoze.txt: the picture play-list, then both best-time tables. CR LF lines.
std::string FormatImageListFile(const std::vector<std::string>& entries, const HighScoreTable& table);

// sound.txt: the sound play-list alone.
std::string FormatSoundListFile(const std::vector<std::string>& entries);
