// The best-time roll's lines and movement.
#include "scores/score_roll.h"

#include <cstdio>

namespace {

constexpr int kStep = 8;      // pixels per step
constexpr int kToEntry = 42;  // a size line or heading follows the line above
constexpr int kToName = 36;   // a name follows its size line
// The last name line: the second table's, below the first table and the
// second heading.
constexpr int kLastNameOffset = 2 * kSizeCount * (kToEntry + kToName) + kToEntry;
// The last frame shows the last name line 2 pixels or more below the top edge.
constexpr int kEndTop = 2 - kLastNameOffset;

// "Size 4 × 5  Time  99 min 0 sec", in UTF-8; the time unsigned.
std::string FormatRollSizeLine(int columns, int rows, uint32_t bestSeconds) {
    char text[1024];
    std::snprintf(text, sizeof text, "Size %d \xC3\x97 %d  Time  %d min %d sec", columns, rows,
                  static_cast<int>(bestSeconds / 60u), static_cast<int>(bestSeconds % 60u));
    return text;
}

void AddTable(std::vector<RollLine>& lines, int& offset, const char* heading, const BestTime* entries) {
    lines.push_back({offset, true, heading});
    for (int i = 0; i < kSizeCount; ++i) {
        offset += kToEntry;
        lines.push_back({offset, false, FormatRollSizeLine(SizeColumns(i), SizeRows(i), entries[i].seconds)});
        offset += kToName;
        lines.push_back({offset, false, entries[i].name, true});
    }
}

}  // namespace

std::vector<RollLine> ScoreRollLines(const HighScoreTable& table) {
    std::vector<RollLine> lines;
    lines.reserve(2 + 4 * kSizeCount);
    int offset = 0;
    AddTable(lines, offset, "High Score (Easy)", table.easy);
    offset += kToEntry;
    AddTable(lines, offset, "High Score (Difficult)", table.difficult);
    return lines;
}

void StartScoreRoll(ScoreRoll& roll, int viewWidth, int viewHeight) {
    roll.scoreRollActive = true;
    roll.rollLeft = 0;
    roll.rollTop = viewHeight;
    roll.rollRight = viewWidth;
}

bool AdvanceScoreRoll(ScoreRoll& roll) {
    roll.rollTop -= kStep;
    if (roll.rollTop < kEndTop) {
        roll.scoreRollActive = false;
        return false;
    }
    return true;
}
