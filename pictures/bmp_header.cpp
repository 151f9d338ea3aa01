// The checks a bmp's headers must pass before the bitmap loader sees them.
#include "pictures/bmp_header.h"

#include <initializer_list>
#include <optional>

#include "pictures/byte_order.h"
#include "pictures/picture_limits.h"

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr uint64_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;  // the short header of the first bmp files

// The fields of the headers the loader goes by.
struct BmpInfo {
    uint32_t pixelOffset = 0;  // 0: the pixels follow the colour table
    uint32_t headerSize = 0;
    int64_t width = 0;
    int64_t height = 0;  // negative: stored top row first
    uint32_t planes = 0;
    uint32_t bits = 0;
    uint32_t compression = kRgb;
    uint32_t imageSize = 0;
    uint32_t coloursUsed = 0;
};

uint32_t Little(std::string_view bytes, size_t at, size_t width) {
    return ReadNumber(bytes, at, width, ByteOrder::Little);
}

bool IsCore(const BmpInfo& info) {
    return info.headerSize == kCoreHeaderBytes;
}
bool IsRle(const BmpInfo& info) {
    return info.compression == kRle8 || info.compression == kRle4;
}
uint64_t Rows(const BmpInfo& info) {
    return uint64_t(info.height < 0 ? -info.height : info.height);
}

bool IsKnownHeaderSize(uint32_t size) {
    for (const uint32_t known : {kCoreHeaderBytes, 40u, 52u, 56u, 64u, 108u, 124u}) {
        if (size == known) return true;
    }
    return false;
}

// The headers' fields, when `head` and the file hold a header of a size the loader knows.
std::optional<BmpInfo> ReadBmpInfo(std::string_view head, uint64_t fileSize) {
    if (head.size() < 18 || head[0] != 'B' || head[1] != 'M') return std::nullopt;
    BmpInfo info;
    info.pixelOffset = Little(head, 10, 4);
    info.headerSize = Little(head, 14, 4);
    const uint64_t headersEnd = kFileHeaderBytes + info.headerSize;
    if (!IsKnownHeaderSize(info.headerSize) || head.size() < headersEnd || fileSize < headersEnd) return std::nullopt;
    if (IsCore(info)) {
        info.width = Little(head, 18, 2);
        info.height = Little(head, 20, 2);
        info.planes = Little(head, 22, 2);
        info.bits = Little(head, 24, 2);
        return info;
    }
    info.width = static_cast<int32_t>(Little(head, 18, 4));
    info.height = static_cast<int32_t>(Little(head, 22, 4));
    info.planes = Little(head, 26, 2);
    info.bits = Little(head, 28, 2);
    info.compression = Little(head, 30, 4);
    info.imageSize = Little(head, 34, 4);
    info.coloursUsed = Little(head, 46, 4);
    return info;
}

// One plane, a size the game takes, and a depth and a compression that go together.
bool DescribesAPicture(const BmpInfo& info) {
    // A negative width reads as a side far beyond the limit.
    if (info.planes != 1 || !FrameFitsLimits(uint64_t(info.width), Rows(info))) return false;
    const uint32_t bits = info.bits, compression = info.compression;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (IsRle(info) && info.height < 0) return false;  // run lengths run bottom row first only
    return compression == kRgb || (compression == kRle8 && bits == 8) || (compression == kRle4 && bits == 4) ||
           (compression == kBitFields && (bits == 16 || bits == 32));
}

// The colour table and the pixels lie inside the file.
bool PixelsFitFile(const BmpInfo& info, uint64_t fileSize) {
    // The colour table (and the three masks of a short header) after the header.
    const uint64_t paletteLimit = info.bits <= 8 ? uint64_t(1) << info.bits : 256;
    const uint64_t colours = info.coloursUsed ? info.coloursUsed : (info.bits <= 8 ? paletteLimit : 0);
    if (colours > paletteLimit) return false;
    const uint64_t masks = info.compression == kBitFields && info.headerSize == 40 ? 12 : 0;
    const uint64_t headersEnd = kFileHeaderBytes + info.headerSize;
    const uint64_t tableEnd = headersEnd + masks + colours * (IsCore(info) ? 3 : 4);
    if (tableEnd > fileSize) return false;

    // The loader takes the pixels at the offset less the file header's 14
    // bytes, counted from the info header without a check: an offset inside
    // the file header wraps round and points 4 GB away.
    if (info.pixelOffset != 0 && info.pixelOffset < headersEnd) return false;
    const uint64_t pixels = info.pixelOffset ? info.pixelOffset : tableEnd;
    if (pixels >= fileSize) return false;
    if (IsRle(info)) return info.imageSize == 0 || pixels + info.imageSize <= fileSize;
    const uint64_t stride = (uint64_t(info.width) * info.bits + 31) / 32 * 4;
    return pixels + stride * Rows(info) <= fileSize;
}

}  // namespace

bool BmpHeadersFitFile(std::string_view head, uint64_t fileSize) {
    const std::optional<BmpInfo> info = ReadBmpInfo(head, fileSize);
    return info && DescribesAPicture(*info) && PixelsFitFile(*info, fileSize);
}
