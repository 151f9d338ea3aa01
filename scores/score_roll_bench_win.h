// For the bench alone: one frame of the best-time roll, as each step draws it.
#pragma once

#include "display/views_win.h"
#include "scores/best_times.h"
#include "scores/score_roll_win.h"

// Every line of both tables between `left` and `right`, the roll's top at
// `top`, over `background`.
int DrawScoreRoll(Screen& screen, const HighScoreTable& highScores, int left, int top, int right,
                  RollBackground background = RollBackground::Picture);
