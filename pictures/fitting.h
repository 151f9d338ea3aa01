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

// Fits a decoded picture of `width` x `height` into an area `areaWidth` wide
// and `areaHeight` high that must also hold `allowance` pixels above the
// picture (the menu, caption and frame). Too wide: scaled to the area's
// width. Too high: scaled to the height left under the allowance. When both
// hold, the smaller of the two ratios wins, so the result is never wider or
// higher than the area. Ratios are single precision, products double,
// results truncated.
FittedSize FitToScreen(int width, int height, int areaWidth, int areaHeight, int allowance);
