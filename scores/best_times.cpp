// Best times per board size and mode.
#include "scores/best_times.h"

#include "game/rules.h"

const char kNotRegistered[] = "Not regist";

namespace {

// The entry of a board of `columns` x `rows` in the table of its mode.
BestTime& BestTimeOf(HighScoreTable& table, bool easyMode, int columns, int rows) {
    return (easyMode ? table.easy : table.difficult)[SizeIndex(columns, rows)];
}

// `entry` stays only where its time is strictly smaller than the stored one.
void KeepBetter(BestTime& entry, const BestTime& stored) {
    if (!(entry.seconds < stored.seconds)) entry = stored;
}

}  // namespace

void ResetHighScores(HighScoreTable& table) { table = HighScoreTable(); }

int SizeIndex(int columns, int rows) { return (rows - kMinSide) * kSideCounts + (columns - kMinSide); }

int SizeColumns(int index) { return index % kSideCounts + kMinSide; }

int SizeRows(int index) { return index / kSideCounts + kMinSide; }

uint32_t ElapsedSeconds(uint32_t startTick, uint32_t endTick) {
    return ElapsedMilliseconds(startTick, endTick) / 1000u;
}

bool RecordBestTime(HighScoreTable& table, bool easyMode, int columns, int rows, uint32_t seconds) {
    BestTime& best = BestTimeOf(table, easyMode, columns, rows);
    if (!(seconds < best.seconds)) return false;
    best.seconds = seconds;
    return true;
}

std::string NameToOffer(const std::string& enteredName) {
    return enteredName == kNotRegistered ? std::string() : enteredName;
}

void StoreBestName(HighScoreTable& table, bool easyMode, int columns, int rows,
                   std::string& enteredName) {
    if (enteredName.empty()) enteredName = kNotRegistered;
    BestTimeOf(table, easyMode, columns, rows).name = enteredName;
}

void KeepBetterTimes(HighScoreTable& table, const HighScoreTable& stored) {
    for (int i = 0; i < kSizeCount; ++i) {
        KeepBetter(table.easy[i], stored.easy[i]);
        KeepBetter(table.difficult[i], stored.difficult[i]);
    }
}
