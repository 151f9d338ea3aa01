// The roll of all best times rising over the picture: its lines, their
// places and its movement.
#pragma once

#include <string>
#include <vector>

#include "scores/best_times.h"

constexpr int kRollFontHeight = 20;
constexpr int kRollLineHeight = 20;
constexpr int kRollShadowOffset = 4;
constexpr unsigned kRollPeriodMs = 120;

struct ScoreRoll {
    bool scoreRollActive = false;
    int rollLeft = 0;
    int rollRight = 0;
    int rollTop = 0;  // top of the first heading
};

struct RollLine {
    int offset;  // below the roll's top
    bool heading;
    std::string text;   // UTF-8, but a name as the list files hold it
    bool name = false;  // a player's name
};

// The 198 lines of the roll in drawing order: each table's heading, then per
// entry its size-and-time line and its name.
std::vector<RollLine> ScoreRollLines(const HighScoreTable& table);

// Places the roll just below a view of `viewWidth` x `viewHeight`.
void StartScoreRoll(ScoreRoll& roll, int viewWidth, int viewHeight);

// Moves the roll up one step; false (and the roll stopped) once it has
// passed the top.
bool AdvanceScoreRoll(ScoreRoll& roll);
