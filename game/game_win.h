// The board and the rules on the window: shuffling with the clock, clicks, the reveal timer.
#pragma once

#include <windows.h>

int ShuffleBoard();
int HandleCellClick(HWND window, LPARAM position);
int ClearPicks();
int EndReveal(HWND window);
