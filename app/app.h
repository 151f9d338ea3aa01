// Life of the program and its main window.
#pragma once

#include <windows.h>

int InitApplication(HINSTANCE instance, int showCommand);
int InitGameState(HWND window);
int ShutdownApplication(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int PaintView(HWND window, const PAINTSTRUCT& paint);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Grays (false) or enables (true) a menu command.
void SetMenuCommand(HWND window, UINT command, bool enabled);
