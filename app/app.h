// Life of the program and its main window.
#pragma once

#include <windows.h>

#include <string>

int InitApplication(HINSTANCE instance, int showCommand);
int InitGameState(HWND window);
int ShutdownApplication(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int PaintView(HWND window, const PAINTSTRUCT& paint);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Grays (false) or enables (true) a menu command.
void SetMenuCommand(HWND window, UINT command, bool enabled);

// A text of the string table, in code page 932 like every text the program shows.
std::string LoadText(UINT id);
// A file dialog's filter of one entry: its name from the string table, then its patterns.
std::string FileFilter(UINT nameId, const char* patterns);
