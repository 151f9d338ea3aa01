// EXIF orientation: reading the tag from a jpg's first segments, and the
// mapping of upright pixels to stored ones.
#include "pictures/orientation.h"

#include <string_view>

#include "pictures/header_walk.h"

namespace {

constexpr uint32_t kOrientationTag = 274;
constexpr uint32_t kShortType = 3;
constexpr uint32_t kExifMarker = 0xE1;  // APP1
constexpr std::string_view kExifHeader("Exif\0\0", 6);

std::string_view AsText(const uint8_t* bytes, size_t size) {
    return {reinterpret_cast<const char*>(bytes), size};
}

// The orientation in a TIFF block (the body of an Exif segment), or 1.
int TiffOrientation(const ByteSource& block) {
    int orientation = 1;
    WalkTiffDirectory(block, [&orientation](const TiffEntry& entry) {
        if (entry.tag != kOrientationTag) return Walk::On;
        if (entry.type == kShortType && entry.count == 1 && entry.value >= 1 && entry.value <= 8) {
            orientation = static_cast<int>(entry.value);
        }
        return Walk::Stop;
    });
    return orientation;
}

}  // namespace

int ExifOrientation(const uint8_t* bytes, size_t size) {
    const std::string_view file = AsText(bytes, size);
    if (file.substr(0, 2) != "\xFF\xD8") return 1;
    const ByteSource source = BytesIn(file);
    // The first APP1 segment that holds an Exif block, up to the image data.
    const auto exif = FindJpgSegment(source, [&source](const JpgSegment& segment) {
        return segment.marker == kExifMarker && segment.length - 2 >= kExifHeader.size() &&
               source(segment.at + 4, kExifHeader.size()) == kExifHeader;
    });
    if (!exif) return 1;
    const std::string_view body = source(exif->at + 4, exif->length - 2);
    if (body.size() != exif->length - 2) return 1;  // the bytes end inside it
    return ExifSegmentOrientation(reinterpret_cast<const uint8_t*>(body.data()), body.size());
}

int ExifSegmentOrientation(const uint8_t* body, size_t size) {
    const std::string_view segment = AsText(body, size);
    if (segment.substr(0, kExifHeader.size()) != kExifHeader) return 1;
    return TiffOrientation(BytesIn(segment.substr(kExifHeader.size())));
}

bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

PixelPosition StoredPosition(int orientation, int x, int y, int width, int height) {
    switch (orientation) {
    case 2:
        return {width - 1 - x, y};  // mirrored
    case 3:
        return {width - 1 - x, height - 1 - y};  // upside down
    case 4:
        return {x, height - 1 - y};  // mirrored upside down
    case 5:
        return {y, x};  // mirrored, on its side
    case 6:
        return {y, width - 1 - x};  // stored a quarter turn anticlockwise
    case 7:
        return {height - 1 - y, width - 1 - x};  // mirrored, on its other side
    case 8:
        return {height - 1 - y, x};  // stored a quarter turn clockwise
    default:
        return {x, y};
    }
}
