// The board and the rules on the window: shuffling with the clock, clicks, the reveal timer's start.
#pragma once

#include <windows.h>

int ShuffleBoard();
// A click at the client point (x, y) of a game in play; 0 when it named no cell.
int HandleCellClick(HWND window, int x, int y);
int ClearPicks();
