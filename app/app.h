// Life of the program and its main window.
#pragma once

#include <windows.h>

#include "music/music_core.h"
#include "pictures/image_list.h"

// What start-up could not set up; the program tells the player and ends.
enum class StartFailure { None, Com, Controls, Window, Screen, Decoder, CardBack };

StartFailure InitApplication(HINSTANCE instance, int showCommand);
int InitGameState(HWND window);
int ShutdownApplication(HWND window);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int PaintView(HWND window, const PAINTSTRUCT& paint);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// A new picture is shuffled and shown; the Game menu follows the change.
void ShowPictureChange(HWND window, const PictureChange& change);
// Sets the Sound start and stop items as `menu` says.
void ShowSoundMenu(HWND window, const SoundMenu& menu);
