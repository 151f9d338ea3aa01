// The best-time roll on the screen.
#pragma once

#include <windows.h>

#include "display/views_win.h"
#include "scores/best_times.h"
#include "scores/score_roll.h"

// What the roll rises over: the picture, or black while a game is paused,
// whose picture stays out of sight until the game goes on.
enum class RollBackground { Picture, Hidden };

// One step of the roll; 0 once it has ended (its timer stopped): the caller
// shows what the view rests on.
int StepScoreRoll(HWND window, ScoreRoll& roll, const HighScoreTable& highScores, Screen& screen,
                  RollBackground background);
