// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "display/views.h"

// 1 when the picture was loaded, fitted and installed on `screen` (the
// caller shuffles the board onto it); 0 with nothing changed when the file
// cannot be decoded (by `factory`, or the bitmap loader for a bmp), fitted
// or given a back surface.
int LoadPicture(HWND window, IWICImagingFactory* factory, Screen& screen, const char* path);
