// The board and the rules on the window: shuffling with the clock, clicks, the reveal timer's start.
#pragma once

#include <windows.h>

#include "display/views.h"
#include "game/board.h"
#include "game/rules.h"

// Deals the board afresh onto the picture: the view is cut to whole cells
// and the card back stretched to one of them.
int ShuffleBoard(Board& board, Screen& screen);
// A click at the client point (x, y) of a game in play; 0 when it named no cell.
int HandleCellClick(HWND window, int x, int y, Board& board, Play& play, Screen& screen);
int ClearPicks(const Board& board, Play& play, Screen& screen);
