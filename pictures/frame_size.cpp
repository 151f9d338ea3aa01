// The frame size a picture file's header declares.
#include "pictures/frame_size.h"

namespace {

using Read = FrameSize::Read;

// The signature and the logical screen descriptor.
constexpr size_t kGifScreenBytes = 13;
constexpr uint32_t kImageWidthTag = 256, kImageLengthTag = 257;

FrameSize Size(uint64_t width, uint64_t height) {
    return {Read::Size, width, height};
}
FrameSize Damaged() {
    return {Read::Damaged, 0, 0};
}

bool IsStartOfFrame(uint32_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// The first start-of-frame segment's.
FrameSize JpgSize(const ByteSource& file) {
    const auto frame = FindJpgSegment(file, [](const JpgSegment& segment) { return IsStartOfFrame(segment.marker); });
    Fields f(file);
    if (!frame || !f.Has(frame->at, 9) || frame->length < 7) return Damaged();
    return Size(f.Number16(7, ByteOrder::Big), f.Number16(5, ByteOrder::Big));
}

// The logical screen, and the first image on it, which may be larger.
FrameSize GifSize(const ByteSource& file) {
    Fields f(file);
    if (!f.Has(0, kGifScreenBytes)) return Damaged();
    const GifScreen screen = ReadGifScreen(f.Text(0, kGifScreenBytes));
    const uint64_t screenWidth = screen.width, screenHeight = screen.height;
    uint64_t at = kGifScreenBytes + screen.colourTableBytes;
    for (int step = 0; step < kMaxHeaderSteps; ++step) {
        if (!f.Has(at, 1)) return Damaged();
        if (f.Byte(0) == 0x2C) {  // the image descriptor
            if (!f.Has(at, 9)) return Damaged();
            const uint64_t width = f.Number16(5, ByteOrder::Little), height = f.Number16(7, ByteOrder::Little);
            return Size(width > screenWidth ? width : screenWidth, height > screenHeight ? height : screenHeight);
        }
        if (f.Byte(0) != 0x21) return Damaged();  // the trailer, or anything else, before the first image
        at += 2;                                  // an extension and its label, then sub-blocks up to an empty one
        for (;; ++step) {
            if (step >= kMaxHeaderSteps || !f.Has(at, 1)) return Damaged();
            const uint32_t length = f.Byte(0);
            at += 1 + length;
            if (length == 0) break;
        }
    }
    return Damaged();
}

FrameSize PngSize(const ByteSource& file) {
    Fields f(file);
    if (!f.Has(0, 24) || f.Text(12, 4) != "IHDR") return Damaged();
    return Size(f.Number32(16, ByteOrder::Big), f.Number32(20, ByteOrder::Big));
}

FrameSize BmpSize(const ByteSource& file) {
    Fields f(file);
    if (!f.Has(0, 18)) return Damaged();
    const bool core = f.Number32(14, ByteOrder::Little) == 12;  // the short header of the first bmp files
    if (!f.Has(0, core ? 22 : 26)) return Damaged();
    if (core) return Size(f.Number16(18, ByteOrder::Little), f.Number16(20, ByteOrder::Little));
    // A negative height is a picture stored top row first.
    const auto side = [&f](size_t i) {
        const int64_t signedSide = static_cast<int32_t>(f.Number32(i, ByteOrder::Little));
        return static_cast<uint64_t>(signedSide < 0 ? -signedSide : signedSide);
    };
    return Size(side(18), side(22));
}

// ImageWidth and ImageLength of the first image file directory.
FrameSize TifSize(const ByteSource& file) {
    uint64_t width = 0, height = 0;
    const bool whole = WalkTiffDirectory(file, [&](const TiffEntry& entry) {
        if (entry.tag == kImageWidthTag) width = entry.value;
        if (entry.tag == kImageLengthTag) height = entry.value;
        return Walk::On;
    });
    return whole && width && height ? Size(width, height) : Damaged();
}

}  // namespace

GifScreen ReadGifScreen(std::string_view head) {
    GifScreen screen;
    if (head.size() < kGifScreenBytes || head.substr(0, 3) != "GIF") return screen;
    const uint32_t flags = static_cast<unsigned char>(head[10]);
    screen.read = true;
    screen.width = Read16(head, 6, ByteOrder::Little);
    screen.height = Read16(head, 8, ByteOrder::Little);
    if (flags & 0x80) screen.colourTableBytes = 3u << ((flags & 7) + 1);
    screen.backgroundIndex = static_cast<unsigned char>(head[11]);
    return screen;
}

FrameSize ReadFrameSize(const ByteSource& file) {
    Fields f(file);
    f.Has(0, 8);  // a shorter file can still hold a two-byte signature
    const std::string_view start = f.Text(0, 8);
    if (start.substr(0, 2) == "\xFF\xD8") return JpgSize(file);
    if (start.substr(0, 6) == "GIF87a" || start.substr(0, 6) == "GIF89a") return GifSize(file);
    if (start == "\x89PNG\r\n\x1A\n") return PngSize(file);
    if (start.substr(0, 2) == "BM") return BmpSize(file);
    if (IsTiffSignature(start)) return TifSize(file);
    return {};
}
