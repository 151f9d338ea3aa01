// The DCT scale of a jpg for its shown size.
#include "pictures/jpeg_scale.h"

namespace {

int ScaledSide(int side, int denominator) { return (side + denominator - 1) / denominator; }

}  // namespace

int JpegScaleDenominator(int width, int height, int shownWidth, int shownHeight) {
    int denominator = 1;
    while (denominator < 8 && ScaledSide(width, denominator * 2) >= shownWidth &&
           ScaledSide(height, denominator * 2) >= shownHeight) {
        denominator *= 2;
    }
    return denominator;
}
