// The orientation a photo's EXIF tag gives, and where each upright pixel comes from.
#pragma once

#include <cstddef>
#include <cstdint>

// The orientation tag (274) of a jpg's EXIF block, 1 to 8; 1 (stored
// upright) when the bytes, the start of the file, hold none or a bad one.
int ExifOrientation(const uint8_t* bytes, size_t size);

// The same from the body of one APP1 segment (the bytes after its length);
// 1 when it is not an Exif block or holds no good tag.
int ExifSegmentOrientation(const uint8_t* body, size_t size);

// Orientations 5 to 8 turn the picture a quarter: width and height swap.
bool SwapsSides(int orientation);

struct PixelPosition {
    int x;
    int y;
};

// Where pixel (x, y) of the upright picture, `width` x `height`, lies in the
// stored one (`height` x `width` when the sides swap).
PixelPosition StoredPosition(int orientation, int x, int y, int width, int height);
