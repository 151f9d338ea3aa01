// What is on the screen, and the picture view of the play area.
#pragma once

#include <windows.h>

#include <string>

#include "platform/gdi_win.h"
#include "display/presenter_win.h"

// What is on the screen: the presenter, the play area and the bitmaps drawn into it.
struct Screen {
    Presenter presenter;
    // The play area: the picture cut to whole cells by ShuffleBoard; before
    // the first picture, the client area the window is made with.
    int viewWidth = 640;
    int viewHeight = 480;
    // The fitted picture, and the card back: its source as loaded and its
    // copy stretched to one cell.
    OwnedBitmap picture;
    int pictureWidth = 0;
    int pictureHeight = 0;
    std::string picturePath;  // the file the picture came from, to fit it again on another monitor
    OwnedBitmap cardBack;
    OwnedBitmap cardBackSource;
    int cardBackSourceWidth = 0;
    int cardBackSourceHeight = 0;
    // A line of the string table shown in a band over the picture view, or 0.
    UINT pictureBand = 0;
};

// Loads the program's card back, the source each cell's copy is stretched
// from; false when there is none (no board could be drawn).
bool LoadCardBack(Screen& screen, HINSTANCE instance);
// The bitmaps and the presenter given back, at the window's end.
void ReleaseScreen(Screen& screen);

// Copies `picture` to the top left of a `width` x `height` frame; with no
// picture (or no memory to select it into) the frame is black.
void DrawPictureFrame(HDC dc, HBITMAP picture, int width, int height);

// A black band across the middle of a `width` x `height` frame holding one
// line of white `text`, in a bold font of a tenth of the height (12 to 24
// pixels), smaller where the line would not fit across.
void DrawTextBand(HDC dc, int width, int height, const std::wstring& text);

// The whole picture as one frame, under its band when it has one.
int DrawPicture(Screen& screen);
// The string `textId` in a band over the picture from its next drawing on; 0
// takes the band away.
void SetPictureBand(Screen& screen, UINT textId);
