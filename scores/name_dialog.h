// A new best time and the dialog that asks for the player's name.
#pragma once

#include <windows.h>

#include <string>

#include "game/board.h"
#include "game/rules.h"
#include "scores/best_times.h"

// Records the finished game's time when it beats the best time of its board
// size and mode, then asks for the name. True when a record was named: the
// caller saves it at once, not only at exit.
bool UpdateBestTime(HWND window, const Board& board, const Play& play, HighScoreTable& highScores,
                    std::string& enteredName);
