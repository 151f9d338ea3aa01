// The frame size a picture file's header declares.
#include "pictures/frame_size.h"

#include "pictures/bmp_header.h"

namespace {

using Read = FrameSize::Read;

// The signature and the logical screen descriptor.
constexpr size_t kGifScreenBytes = 13;

// A header that takes more steps than this to reach its size is no picture
// worth reading: it would only keep the game busy.
constexpr int kMaxSteps = 100000;

FrameSize Size(uint64_t width, uint64_t height) { return {Read::Size, width, height}; }
FrameSize Damaged() { return {Read::Damaged, 0, 0}; }

// Reads fixed fields of the file; a field past its end reads as missing.
class Fields {
  public:
    explicit Fields(const ByteSource& file) : file_(file) {}

    bool Has(uint64_t at, size_t size) {
        bytes_ = file_(at, size);
        return bytes_.size() == size;
    }
    uint32_t Byte(size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
    uint32_t Little16(size_t i) const { return Byte(i) | Byte(i + 1) << 8; }
    uint32_t Big16(size_t i) const { return Byte(i) << 8 | Byte(i + 1); }
    uint32_t Little32(size_t i) const { return Little16(i) | Little16(i + 2) << 16; }
    uint32_t Big32(size_t i) const { return Big16(i) << 16 | Big16(i + 2); }
    std::string_view Text(size_t i, size_t size) const { return bytes_.substr(i, size); }

  private:
    const ByteSource& file_;
    std::string_view bytes_;
};

// Segments from the start-of-image marker to the first start-of-frame one.
FrameSize JpgSize(Fields& f) {
    uint64_t at = 2;
    for (int step = 0; step < kMaxSteps; ++step) {
        if (!f.Has(at, 2) || f.Byte(0) != 0xFF) return Damaged();
        const uint32_t marker = f.Byte(1);
        if (marker == 0xFF) {  // a fill byte
            at += 1;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {  // no length follows
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return Damaged();  // the end, or the data, before any frame
        if (!f.Has(at, 9)) return Damaged();
        const uint32_t length = f.Big16(2);
        if (length < 2) return Damaged();
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            return length < 7 ? Damaged() : Size(f.Big16(7), f.Big16(5));
        }
        at += 2 + length;
    }
    return Damaged();
}

// The logical screen, and the first image on it, which may be larger.
FrameSize GifSize(Fields& f) {
    if (!f.Has(0, kGifScreenBytes)) return Damaged();
    const GifScreen screen = ReadGifScreen(f.Text(0, kGifScreenBytes));
    const uint64_t screenWidth = screen.width, screenHeight = screen.height;
    uint64_t at = kGifScreenBytes + screen.colourTableBytes;
    for (int step = 0; step < kMaxSteps; ++step) {
        if (!f.Has(at, 1)) return Damaged();
        if (f.Byte(0) == 0x2C) {  // the image descriptor
            if (!f.Has(at, 9)) return Damaged();
            const uint64_t width = f.Little16(5), height = f.Little16(7);
            return Size(width > screenWidth ? width : screenWidth, height > screenHeight ? height : screenHeight);
        }
        if (f.Byte(0) != 0x21) return Damaged();  // the trailer, or anything else, before the first image
        at += 2;  // an extension and its label, then sub-blocks up to an empty one
        for (;; ++step) {
            if (step >= kMaxSteps || !f.Has(at, 1)) return Damaged();
            const uint32_t length = f.Byte(0);
            at += 1 + length;
            if (length == 0) break;
        }
    }
    return Damaged();
}

FrameSize PngSize(Fields& f) {
    if (!f.Has(0, 24) || f.Text(12, 4) != "IHDR") return Damaged();
    return Size(f.Big32(16), f.Big32(20));
}

FrameSize BmpSize(Fields& f) {
    if (!f.Has(0, 18)) return Damaged();
    const bool core = f.Little32(14) == 12;  // the short header of the first bmp files
    if (!f.Has(0, core ? 22 : 26)) return Damaged();
    if (core) return Size(f.Little16(18), f.Little16(20));
    // A negative height is a picture stored top row first.
    const auto side = [](uint32_t v) {
        const int64_t signedSide = static_cast<int32_t>(v);
        return static_cast<uint64_t>(signedSide < 0 ? -signedSide : signedSide);
    };
    return Size(side(f.Little32(18)), side(f.Little32(22)));
}

// ImageWidth (256) and ImageLength (257) of the first image file directory.
FrameSize TifSize(Fields& f) {
    if (!f.Has(0, 8)) return Damaged();
    const bool little = f.Byte(0) == 'I';
    const auto u16 = [&](size_t i) { return little ? f.Little16(i) : f.Big16(i); };
    const auto u32 = [&](size_t i) { return little ? f.Little32(i) : f.Big32(i); };
    const uint64_t directory = u32(4);
    if (directory < 8 || !f.Has(directory, 2)) return Damaged();
    const uint32_t count = u16(0);
    uint64_t width = 0, height = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (!f.Has(directory + 2 + uint64_t(i) * 12, 12)) return Damaged();
        const uint32_t tag = u16(0), type = u16(2);
        const uint64_t value = type == 3 ? u16(8) : type == 4 ? u32(8) : 0;  // SHORT or LONG
        if (tag == 256) width = value;
        if (tag == 257) height = value;
    }
    return width && height ? Size(width, height) : Damaged();
}

}  // namespace

GifScreen ReadGifScreen(std::string_view head) {
    GifScreen screen;
    if (head.size() < kGifScreenBytes || head.substr(0, 3) != "GIF") return screen;
    const auto byte = [&](size_t i) { return uint32_t(static_cast<unsigned char>(head[i])); };
    screen.read = true;
    screen.width = byte(6) | byte(7) << 8;
    screen.height = byte(8) | byte(9) << 8;
    if (byte(10) & 0x80) screen.colourTableBytes = 3u << ((byte(10) & 7) + 1);
    screen.backgroundIndex = byte(11);
    return screen;
}

FrameSize ReadFrameSize(const ByteSource& file) {
    Fields f(file);
    f.Has(0, 8);  // a shorter file can still hold a two-byte signature
    const std::string_view start = f.Text(0, 8);
    if (start.substr(0, 2) == "\xFF\xD8") return JpgSize(f);
    if (start.substr(0, 6) == "GIF87a" || start.substr(0, 6) == "GIF89a") return GifSize(f);
    if (start == "\x89PNG\r\n\x1A\n") return PngSize(f);
    if (start.substr(0, 2) == "BM") return BmpSize(f);
    if (start.substr(0, 4) == std::string_view("II*\0", 4) || start.substr(0, 4) == std::string_view("MM\0*", 4)) {
        return TifSize(f);
    }
    return {};
}

bool FrameFitsLimits(uint64_t width, uint64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}
