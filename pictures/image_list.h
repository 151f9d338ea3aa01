// The picture play-list: walking it, single-file mode, reloading, the editor dialog.
#pragma once

#include <windows.h>

// The file-open dialog shared by the picture and sound lists. Nonzero when a
// file was chosen; its full path is then in `path`.
int ChooseFile(char* path, int size, HWND owner, const char* filter, const char* title,
               const char* defaultExtension);

int OpenSingleFile(HWND window);
int AdvanceImageList(HWND window);
int ReloadImageList(HWND window);
INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Loads the first entry of the play-list that loads, dropping the ones
// before it. 1 when a picture was loaded.
int LoadFirstListedPicture(HWND window);
