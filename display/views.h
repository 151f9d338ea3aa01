// What is on the screen, and the picture view of the play area.
#pragma once

#include <windows.h>

#include <string>

#include "display/presenter.h"

// What is on the screen: the presenter, the play area and the bitmaps drawn into it.
struct Screen {
    Presenter presenter;
    // The play area: the picture cut to whole cells by ShuffleBoard; before
    // the first picture, the client area the window is made with.
    int viewWidth = 640;
    int viewHeight = 480;
    // The fitted picture, and the card back: its source as loaded and its
    // copy stretched to one cell.
    HBITMAP picture = nullptr;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::string picturePath;  // the file the picture came from, to fit it again on another monitor
    HBITMAP cardBack = nullptr;
    HBITMAP cardBackSource = nullptr;
    int cardBackSourceWidth = 0;
    int cardBackSourceHeight = 0;
};

// Copies `picture` to the top left of a `width` x `height` frame; with no
// picture (or no memory to select it into) the frame is black.
void DrawPictureFrame(HDC dc, HBITMAP picture, int width, int height);

// The whole picture as one frame.
int DrawPicture(Screen& screen);
