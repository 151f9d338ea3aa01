// Which loader a picture path goes to, and the size a picture is fitted to on the screen.
#pragma once

// True when the last three bytes of `path` equal `extension`, ASCII letters
// compared without case ("PHOTO.BMP", "photobmp" and "x.Bmp" all hold "bmp").
bool HasExtension(const char* path, const char* extension);

struct FittedSize {
    int width;
    int height;
    bool stretched;  // false: the decoded picture is used as it is
};

// Fits a decoded picture of `width` x `height` to a screen of
// `screenWidth` x `screenHeight` that must also hold the menu allowance.
// Too wide: scaled to the screen's width. Too high: scaled to the height
// left under the menu, from the decoded size, replacing the first result.
// Ratios are single precision, products double, results truncated.
FittedSize FitToScreen(int width, int height, int screenWidth, int screenHeight,
                       int menuAllowance);
