// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "display/views.h"
#include "pictures/play_list.h"

// Loaded when the picture was loaded, fitted and installed on `screen` (the
// caller shuffles the board onto it). Otherwise nothing changed: BadFile when
// the file cannot be decoded (by `factory`, or the bitmap loader for a bmp)
// or fitted, NotNow when it is held by another program or memory or a back
// surface could not be had.
LoadOutcome LoadPicture(HWND window, IWICImagingFactory* factory, Screen& screen, const char* path);
