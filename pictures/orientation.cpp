// EXIF orientation: reading the tag from a jpg's first segments, and the
// mapping of upright pixels to stored ones.
#include "pictures/orientation.h"

#include <cstring>

namespace {

constexpr unsigned kOrientationTag = 274;
constexpr unsigned kShortType = 3;

unsigned Read16(const uint8_t* p, bool bigEndian) {
    return bigEndian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
}

uint32_t Read32(const uint8_t* p, bool bigEndian) {
    return bigEndian ? (uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3])
                     : (uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]);
}

// The orientation in a TIFF block (the body of an Exif segment), or 1.
int TiffOrientation(const uint8_t* tiff, size_t size) {
    if (size < 8) return 1;
    bool bigEndian;
    if (std::memcmp(tiff, "II*\0", 4) == 0) {
        bigEndian = false;
    } else if (std::memcmp(tiff, "MM\0*", 4) == 0) {
        bigEndian = true;
    } else {
        return 1;
    }
    const uint32_t ifd = Read32(tiff + 4, bigEndian);
    if (ifd < 8 || ifd > size - 2) return 1;
    const unsigned count = Read16(tiff + ifd, bigEndian);
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = ifd + 2 + size_t(i) * 12;
        if (entry + 12 > size) return 1;
        if (Read16(tiff + entry, bigEndian) != kOrientationTag) continue;
        if (Read16(tiff + entry + 2, bigEndian) != kShortType || Read32(tiff + entry + 4, bigEndian) != 1) return 1;
        const unsigned value = Read16(tiff + entry + 8, bigEndian);
        return (value >= 1 && value <= 8) ? static_cast<int>(value) : 1;
    }
    return 1;
}

}  // namespace

int ExifOrientation(const uint8_t* bytes, size_t size) {
    if (size < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return 1;
    size_t at = 2;
    // Segments up to the start of the image data; the Exif one is an APP1.
    while (at + 4 <= size && bytes[at] == 0xFF) {
        const uint8_t marker = bytes[at + 1];
        if (marker == 0xDA || marker == 0xD9) break;
        const size_t length = Read16(bytes + at + 2, true);
        if (length < 2 || at + 2 + length > size) break;
        const uint8_t* body = bytes + at + 4;
        const size_t bodySize = length - 2;
        if (marker == 0xE1 && bodySize >= 6 && std::memcmp(body, "Exif\0\0", 6) == 0) {
            return ExifSegmentOrientation(body, bodySize);
        }
        at += 2 + length;
    }
    return 1;
}

int ExifSegmentOrientation(const uint8_t* body, size_t size) {
    if (size < 6 || std::memcmp(body, "Exif\0\0", 6) != 0) return 1;
    return TiffOrientation(body + 6, size - 6);
}

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

PixelPosition StoredPosition(int orientation, int x, int y, int width, int height) {
    switch (orientation) {
        case 2: return {width - 1 - x, y};               // mirrored
        case 3: return {width - 1 - x, height - 1 - y};  // upside down
        case 4: return {x, height - 1 - y};              // mirrored upside down
        case 5: return {y, x};                           // mirrored, on its side
        case 6: return {y, width - 1 - x};               // stored a quarter turn anticlockwise
        case 7: return {height - 1 - y, width - 1 - x};  // mirrored, on its other side
        case 8: return {height - 1 - y, x};              // stored a quarter turn clockwise
        default: return {x, y};
    }
}
