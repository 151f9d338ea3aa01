// What the main window's two files share: its procedure, and the menu
// following what the modules report.
#pragma once

#include <windows.h>

#include "music/music_core.h"
#include "pictures/image_list_win.h"

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A new picture is shuffled and shown; the Game menu follows the change.
void ShowPictureChange(HWND window, const PictureChange& change);
// Sets the Sound start and stop items as `menu` says.
void ShowSoundMenu(HWND window, SoundMenu menu);
