// A new best time and the dialog that asks for the player's name.
#pragma once

#include <windows.h>

// Records the finished game's time when it beats the best time of its board
// size and mode, then asks for the name and saves both tables.
void UpdateBestTime(HWND window);
INT_PTR CALLBACK NameEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
