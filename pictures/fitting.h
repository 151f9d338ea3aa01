// The size a picture is fitted to on the screen.
#pragma once

struct FittedSize {
    int width;
    int height;
};

// Fits a decoded picture of `width` x `height` into an area `areaWidth` wide
// and `areaHeight` high that must also hold `allowance` pixels above the
// picture (the menu, caption and frame). Too wide: scaled to the area's
// width. Too high: scaled to the height left under the allowance. When both
// hold, the smaller of the two ratios wins, so the result is never wider or
// higher than the area. Ratios are single precision, products double,
// results truncated.
FittedSize FitToScreen(int width, int height, int areaWidth, int areaHeight, int allowance);
