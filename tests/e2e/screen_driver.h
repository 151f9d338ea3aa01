// Reading what the screen shows, and the test pictures whose every pixel
// tells its own position.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// What the screen showed inside an area at one moment.
struct Screenshot {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // How many pixels show `colour`, and the smallest rectangle holding them
    // (empty when none does).
    int Count(COLORREF colour, RECT* bounds = nullptr) const;
};

// The size of a window's client area: the play area a picture was fitted to.
SIZE ClientSize(HWND window);

// What the screen shows at (x, y), read back from the display.
COLORREF ScreenPixel(int x, int y);

Screenshot CaptureScreen(const RECT& area);

// Saves what the screen shows inside `area` as a 32-bit bmp.
bool SaveScreenBmp(const std::wstring& path, const RECT& area);

// A picture file's pixels as the imaging component decodes them (COM must be
// initialised); empty when it cannot be decoded.
Screenshot DecodePicture(const std::wstring& path);

// The colour a test picture has at (x, y): every pixel of a picture up to
// 1024 x 1024 tells its own position.
COLORREF PositionColour(int x, int y);

// The piece whose centre a screen colour shows on a board of `columns` x
// `rows` cut from a PositionColour picture of the given size, or -1 (a card
// back, or any other pixel).
int PieceAtCellCentre(COLORREF colour, int pictureWidth, int pictureHeight, int columns, int rows);

// Writes a 24-bit bmp of width x height painted with PositionColour.
bool WritePositionBmp(const std::wstring& path, int width, int height);
// The same painted with `colour` of each point.
bool WritePictureBmp(const std::wstring& path, int width, int height, const std::function<COLORREF(int, int)>& colour);
