// The dialog that sets the board size and the rule.
#pragma once

#include <windows.h>

#include "game/board.h"

// The dialog's working copy: the last accepted value of each size edit,
// written to the board only on OK.
struct DifficultyWork {
    Board* board;
    int columns;
    int rows;
};

// Shows the dialog over `window`; OK sets the board's size and rule.
INT_PTR ChooseDifficulty(HWND window, Board& board);

// The dialog procedure; WM_INITDIALOG's lParam is the DifficultyWork.
INT_PTR CALLBACK DifficultyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int InitDifficultyDialog(HWND dialog, DifficultyWork& work);
// Checks the text of a size edit; 0 when it holds anything but half-width digits.
int ValidateSizeEdit(HWND edit, int* work);
void ApplyDifficultyDialog(HWND dialog, const DifficultyWork& work);
