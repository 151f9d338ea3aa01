// Best times per board size and mode.
#include "scores/best_times.h"

#include "game/rules.h"

const char kNotRegistered[] = "Not regist";

void ResetHighScores(HighScoreTable& table) {
    for (int i = 0; i < kSizeCount; ++i) {
        table.easyBestSeconds[i] = kDefaultBestSeconds;
        table.easyNames[i] = kNotRegistered;
        table.difficultBestSeconds[i] = kDefaultBestSeconds;
        table.difficultNames[i] = kNotRegistered;
    }
}

int SizeIndex(int columns, int rows) { return (rows - kMinSide) * kSideCounts + (columns - kMinSide); }

int SizeColumns(int index) { return index % kSideCounts + kMinSide; }

int SizeRows(int index) { return index / kSideCounts + kMinSide; }

uint32_t ElapsedSeconds(uint32_t startTick, uint32_t endTick) {
    return ElapsedMilliseconds(startTick, endTick) / 1000u;
}

bool RecordBestTime(HighScoreTable& table, bool easyMode, int columns, int rows, uint32_t seconds) {
    const int i = SizeIndex(columns, rows);
    uint32_t* best = easyMode ? table.easyBestSeconds : table.difficultBestSeconds;
    if (!(seconds < best[i])) return false;
    best[i] = seconds;
    return true;
}

std::string NameToOffer(const std::string& enteredName) {
    return enteredName == kNotRegistered ? std::string() : enteredName;
}

void StoreBestName(HighScoreTable& table, bool easyMode, int columns, int rows,
                   std::string& enteredName) {
    if (enteredName.empty()) enteredName = kNotRegistered;
    std::string* names = easyMode ? table.easyNames : table.difficultNames;
    names[SizeIndex(columns, rows)] = enteredName;
}

namespace {

void KeepBetterEntries(uint32_t* seconds, std::string* names, const uint32_t* storedSeconds,
                       const std::string* storedNames) {
    for (int i = 0; i < kSizeCount; ++i) {
        if (seconds[i] < storedSeconds[i]) continue;
        seconds[i] = storedSeconds[i];
        names[i] = storedNames[i];
    }
}

}  // namespace

void KeepBetterTimes(HighScoreTable& table, const HighScoreTable& stored) {
    KeepBetterEntries(table.easyBestSeconds, table.easyNames, stored.easyBestSeconds, stored.easyNames);
    KeepBetterEntries(table.difficultBestSeconds, table.difficultNames, stored.difficultBestSeconds,
                      stored.difficultNames);
}
