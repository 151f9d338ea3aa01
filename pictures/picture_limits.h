// The largest picture the game takes, whatever its format, and the one check
// of a size against it, made wherever a header or a decoder gives a size.
#pragma once

#include <cstdint>

// A side of at most 32767 pixels (GDI's coordinates) and 2^27 pixels in all
// (512 MB at 32 bits a pixel).
constexpr uint32_t kMaxPictureSide = 32767;
constexpr uint64_t kMaxPicturePixels = uint64_t(1) << 27;

// Whether a picture of that size is one the game takes: a side of 1 to
// 32767 pixels and at most 2^27 pixels in all.
constexpr bool FrameFitsLimits(uint64_t width, uint64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}
