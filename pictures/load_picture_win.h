// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "display/views_win.h"
#include "pictures/play_list.h"

// Loaded when the picture was loaded, fitted and installed on `screen` (the
// caller shuffles the board onto it). Otherwise nothing changed: BadFile when
// the file cannot be decoded (by the bitmap loader, libjpeg-turbo or
// `factory`) or fitted, NotNow when it is held by another program or memory or a back
// surface could not be had.
LoadOutcome LoadPicture(HWND window, IWICImagingFactory* factory, Screen& screen, const char* path);

// The window's place and size on the screen, as PutWindowBack takes it.
RECT WindowRect(HWND window);
// The window back where it was and as large as it was, after a picture that
// did not load or does not stay.
void PutWindowBack(HWND window, const RECT& before);

// The window sized so that its client area is width x height, with the frame
// and menu as they are measured now, moved just inside its monitor's work area.
void FitWindowToView(HWND window, int width, int height);
// The picture on the screen fitted again from its file to the monitor the
// window is on now, which may be larger, smaller or scaled otherwise. 1 when
// it was (the caller fits the board onto it); 0 when there is no picture or
// its file no longer loads: the window is then fitted around what is shown.
int RefitPicture(HWND window, IWICImagingFactory* factory, Screen& screen);
