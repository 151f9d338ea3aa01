// What the main window's two files share: its procedure, and the menu
// following what the modules report.
#pragma once

#include <windows.h>

#include "music/music_core.h"
#include "pictures/image_list_win.h"

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A new picture is shuffled and shown; the Game menu follows the change.
void ShowPictureChange(HWND window, const PictureChange& change);
// The settings menu's read-out check and the Volume item as kanoze.ini has them.
void ShowPlayerChoices(HWND window);
// Sets the Sound start and stop items as `menu` says, and Next Tune as the music plays.
void ShowSoundMenu(HWND window, SoundMenu menu);
