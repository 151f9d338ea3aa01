// Walking a jpg's marker segments and a TIFF block's first directory.
#include "pictures/header_walk.h"

namespace {

constexpr uint32_t kShortType = 3, kLongType = 4;
constexpr size_t kTiffEntryBytes = 12;

bool HasNoLength(uint32_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8);
}

}  // namespace

ByteSource BytesIn(std::string_view bytes) {
    return [bytes](uint64_t offset, size_t size) {
        if (offset >= bytes.size()) return std::string_view();
        return bytes.substr(static_cast<size_t>(offset), size);
    };
}

bool IsTiffSignature(std::string_view head) {
    const std::string_view signature = head.substr(0, 4);
    return signature == std::string_view("II*\0", 4) || signature == std::string_view("MM\0*", 4);
}

std::optional<JpgSegment> FindJpgSegment(const ByteSource& file, const std::function<bool(const JpgSegment&)>& wanted) {
    Fields f(file);
    uint64_t at = 2;
    for (int step = 0; step < kMaxHeaderSteps; ++step) {
        if (!f.Has(at, 2) || f.Byte(0) != 0xFF) return std::nullopt;
        const uint32_t marker = f.Byte(1);
        if (marker == 0xFF || HasNoLength(marker)) {  // a fill byte, or a marker alone
            at += marker == 0xFF ? 1 : 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt;  // the end, or the image data
        if (!f.Has(at, 4) || f.Number16(2, ByteOrder::Big) < 2) return std::nullopt;
        const JpgSegment segment = {marker, at, f.Number16(2, ByteOrder::Big)};
        if (wanted(segment)) return segment;
        at += 2 + segment.length;
    }
    return std::nullopt;
}

bool WalkTiffDirectory(const ByteSource& block, const std::function<Walk(const TiffEntry&)>& visit) {
    Fields f(block);
    if (!f.Has(0, 8) || !IsTiffSignature(f.Text(0, 4))) return false;
    const ByteOrder order = f.Byte(0) == 'I' ? ByteOrder::Little : ByteOrder::Big;
    const uint64_t directory = f.Number32(4, order);
    if (directory < 8 || !f.Has(directory, 2)) return false;
    const uint32_t count = f.Number16(0, order);
    for (uint32_t i = 0; i < count; ++i) {
        if (!f.Has(directory + 2 + uint64_t(i) * kTiffEntryBytes, kTiffEntryBytes)) return false;
        const uint32_t type = f.Number16(2, order);
        const uint32_t value = type == kShortType ? f.Number16(8, order) : type == kLongType ? f.Number32(8, order) : 0;
        if (visit({f.Number16(0, order), type, f.Number32(4, order), value}) == Walk::Stop) return true;
    }
    return true;
}
