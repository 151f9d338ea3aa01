// Best times per board size and mode, with the names of the players who made them.
#pragma once

#include <cstdint>
#include <string>

#include "game/board.h"

constexpr int kSizeCount = kSideCounts * kSideCounts;  // one entry per board shape
constexpr uint32_t kDefaultBestSeconds = 5940;  // 99 min 0 sec
extern const char kNotRegistered[];             // name of an entry without a record

// One board size's best time in one mode and the name of the player who made it.
struct BestTime {
    uint32_t seconds = kDefaultBestSeconds;
    std::string name = kNotRegistered;
};

// A table of each mode, its entries in SizeIndex order; made with every
// entry at "Not regist" / 5940.
struct HighScoreTable {
    BestTime easy[kSizeCount];
    BestTime difficult[kSizeCount];
};

// Every entry of both tables back to "Not regist" / 5940.
void ResetHighScores(HighScoreTable& table);

// Entry of a board of `columns` x `rows` (each 4 to 10): 0 to 48, row by row.
int SizeIndex(int columns, int rows);
// The board shape of an entry: SizeIndex backwards.
int SizeColumns(int index);
int SizeRows(int index);

// Whole seconds of a game, from two tick-counter readings.
uint32_t ElapsedSeconds(uint32_t startTick, uint32_t endTick);

// Stores `seconds` as the best time of the board's entry when it is strictly
// smaller than the one held (unsigned comparison). True when it was stored:
// the shell then asks for the name and calls StoreBestName.
bool RecordBestTime(HighScoreTable& table, bool easyMode, int columns, int rows, uint32_t seconds);

// Brings the entries of `stored` into `table` where they are at least as good:
// an entry of `table` stays only where its time is strictly smaller, the rule
// by which a new time replaces an old one. So records kept elsewhere (another
// copy of the file) and records of this run both survive.
void KeepBetterTimes(HighScoreTable& table, const HighScoreTable& stored);

// The name the name dialog starts with: the last one typed, or none when the
// last record went unnamed ("Not regist").
std::string NameToOffer(const std::string& enteredName);

// Names the record of the board's entry after `enteredName`; an empty name
// becomes "Not regist", in `enteredName` too.
void StoreBestName(HighScoreTable& table, bool easyMode, int columns, int rows,
                   std::string& enteredName);
