// The two views of the play area: the board while a game is played, the whole picture otherwise.
#pragma once

#include <windows.h>

// Copies `picture` to the top left of a `width` x `height` frame; with no
// picture (or no memory to select it into) the frame is black.
void DrawPictureFrame(HDC dc, HBITMAP picture, int width, int height);

int DrawBoard();
int DrawPicture();

// The board view while a game is played, the picture view otherwise.
int DrawCurrentView();
