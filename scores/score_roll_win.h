// The best-time roll on the screen.
#pragma once

#include <windows.h>

#include "display/views.h"
#include "scores/best_times.h"
#include "scores/score_roll.h"

// One step of the roll; 0 once it has ended and the picture is shown again.
int StepScoreRoll(HWND window, ScoreRoll& roll, const HighScoreTable& highScores, Screen& screen);
int DrawScoreRoll(Screen& screen, const HighScoreTable& highScores, int left, int top, int right);
