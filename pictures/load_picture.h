// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>

// 1 when the picture was loaded, fitted and installed; 0 with nothing
// changed when the file cannot be decoded, fitted or given a back surface.
int LoadPicture(HWND window, const char* path);
