// The checks a bmp's headers must pass before the bitmap loader sees them.
#include "pictures/bmp_header.h"

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

uint32_t Read(std::string_view bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) value |= uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

}  // namespace

bool BmpHeadersFitFile(std::string_view head, uint64_t fileSize) {
    if (head.size() < 18 || head[0] != 'B' || head[1] != 'M') return false;
    const uint32_t pixelOffset = Read(head, 10, 4);
    const uint32_t headerSize = Read(head, 14, 4);
    const bool core = headerSize == 12;
    if (!core && headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 64 &&
        headerSize != 108 && headerSize != 124) {
        return false;
    }
    if (head.size() < 14 + headerSize || fileSize < 14 + headerSize) return false;

    int64_t width, height;
    uint32_t planes, bits, compression = kRgb, imageSize = 0, coloursUsed = 0;
    if (core) {
        width = Read(head, 18, 2);
        height = Read(head, 20, 2);
        planes = Read(head, 22, 2);
        bits = Read(head, 24, 2);
    } else {
        width = static_cast<int32_t>(Read(head, 18, 4));
        height = static_cast<int32_t>(Read(head, 22, 4));
        planes = Read(head, 26, 2);
        bits = Read(head, 28, 2);
        compression = Read(head, 30, 4);
        imageSize = Read(head, 34, 4);
        coloursUsed = Read(head, 46, 4);
    }
    const bool topDown = height < 0;
    if (topDown) height = -height;
    constexpr int64_t kMaxSide = kMaxPictureSide;
    if (planes != 1 || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        uint64_t(width) * uint64_t(height) > kMaxPicturePixels) {
        return false;
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    const bool rle = compression == kRle8 || compression == kRle4;
    if (!(compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
          (compression == kBitFields && (bits == 16 || bits == 32)))) {
        return false;
    }
    if (rle && topDown) return false;

    // The colour table (and the three masks of a short header) after the header.
    const uint64_t paletteLimit = bits <= 8 ? uint64_t(1) << bits : 256;
    const uint64_t colours = coloursUsed ? coloursUsed : (bits <= 8 ? paletteLimit : 0);
    if (colours > paletteLimit) return false;
    const uint64_t masks = compression == kBitFields && headerSize == 40 ? 12 : 0;
    const uint64_t tableEnd = 14 + uint64_t(headerSize) + masks + colours * (core ? 3 : 4);
    if (tableEnd > fileSize) return false;

    // The loader takes the pixels at the offset less the file header's 14
    // bytes, counted from the info header without a check: an offset inside
    // the file header wraps round and points 4 GB away.
    if (pixelOffset != 0 && pixelOffset < 14 + uint64_t(headerSize)) return false;
    const uint64_t pixels = pixelOffset ? pixelOffset : tableEnd;
    if (pixels >= fileSize) return false;
    if (rle) return imageSize == 0 || pixels + imageSize <= fileSize;
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    return pixels + stride * uint64_t(height) <= fileSize;
}
