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

// Reads a whole list file: each file-section line is appended to `entries`,
// score-section lines fill `table` (the easy table first, then the difficult
// one; lines past the 98 entries are ignored). Neither is emptied first.
// What text editors write is read too: a UTF-8 byte-order mark before the
// first line, and lines ended by CR alone when the file holds no LF at all.
void ParseListFile(std::string_view bytes, std::vector<std::string>& entries,
                   HighScoreTable& table);

// True when `bytes` can be the content of a list file: empty, or holding a
// marker that opens a section. Anything else (a list saved as UTF-16, a text
// that is no list) is not read, and so never replaced by a save.
bool HoldsListFile(std::string_view bytes);

// kanoze.txt: the picture play-list, then both best-time tables. CR LF lines.
std::string FormatImageListFile(const std::vector<std::string>& entries,
                                const HighScoreTable& table);

// sound.txt: the sound play-list alone.
std::string FormatSoundListFile(const std::vector<std::string>& entries);

// Removes the entries marked in `dropped` in one pass, the rest keeping their
// order, and tells where entry `anchor` now stands (when it went, the entry
// that followed it; 0 past the end). A play-list that drops a long run of
// missing files so costs one pass, not one move of the rest for each.
int DropMarkedEntries(std::vector<std::string>& list, const std::vector<bool>& dropped, int anchor);
