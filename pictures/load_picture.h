// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>

// 1 when the picture was loaded, fitted and installed (the caller shuffles
// the board onto it); 0 with nothing changed when the file cannot be
// decoded, fitted or given a back surface.
int LoadPicture(HWND window, const char* path);
