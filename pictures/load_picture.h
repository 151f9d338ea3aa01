// Turning a picture file into the fitted picture, with the window sized around it.
#pragma once

#include <windows.h>

// 1 when the picture was loaded, fitted and installed; 0 with nothing
// changed when the file cannot be decoded or fitted.
int LoadPicture(HWND window, const char* path);

// The height the menu bar takes above the view, plus the caption and frame
// allowance: from the top of the first bar item to the bottom of the last.
int MenuAllowance(HWND window);
