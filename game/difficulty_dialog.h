// The dialog that sets the board size and the rule.
#pragma once

#include <windows.h>

INT_PTR CALLBACK DifficultyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int InitDifficultyDialog(HWND dialog);
// Checks the text of a size edit; 0 when it holds anything but half-width digits.
int ValidateSizeEdit(HWND edit, int* work);
void ApplyDifficultyDialog(HWND dialog);
