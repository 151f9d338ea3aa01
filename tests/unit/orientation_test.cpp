// Tests of reading a photo's orientation tag and of turning it upright.
#include "pictures/orientation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The start of a jpg: SOI, a JFIF APP0, then an Exif APP1 with one IFD entry.
std::vector<uint8_t> JpgHead(const std::string& order, unsigned tag, unsigned type, unsigned value) {
    const bool big = order == "MM";
    auto u16 = [&](unsigned v) {
        return big ? std::vector<uint8_t>{uint8_t(v >> 8), uint8_t(v)}
                   : std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8)};
    };
    auto u32 = [&](unsigned v) {
        std::vector<uint8_t> high = u16(v >> 16), low = u16(v & 0xFFFF);
        std::vector<uint8_t> first = big ? high : low, second = big ? low : high;
        first.insert(first.end(), second.begin(), second.end());
        return first;
    };
    std::vector<uint8_t> tiff = {uint8_t(order[0]), uint8_t(order[1])};
    for (auto part : {u16(42), u32(8), u16(1), u16(tag), u16(type), u32(1), u16(value), u16(0), u32(0)}) {
        tiff.insert(tiff.end(), part.begin(), part.end());
    }
    std::vector<uint8_t> out = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0};
    const size_t length = 2 + 6 + tiff.size();
    out.insert(out.end(), {0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length), 'E', 'x', 'i', 'f', 0, 0});
    out.insert(out.end(), tiff.begin(), tiff.end());
    out.insert(out.end(), {0xFF, 0xDA, 0, 2});
    return out;
}

int Orientation(const std::vector<uint8_t>& bytes) {
    return ExifOrientation(bytes.data(), bytes.size());
}

}  // namespace

TEST(ExifOrientation, TheTagIsReadInEitherByteOrder) {
    EXPECT_EQ(6, Orientation(JpgHead("II", 274, 3, 6)));
    EXPECT_EQ(8, Orientation(JpgHead("MM", 274, 3, 8)));
    EXPECT_EQ(3, Orientation(JpgHead("II", 274, 3, 3)));
}

TEST(ExifOrientation, NoTagOrABadOneMeansUpright) {
    EXPECT_EQ(1, Orientation(JpgHead("II", 275, 3, 6))) << "another tag";
    EXPECT_EQ(1, Orientation(JpgHead("II", 274, 4, 6))) << "not a short";
    EXPECT_EQ(1, Orientation(JpgHead("II", 274, 3, 9))) << "out of range";
    EXPECT_EQ(1, Orientation(JpgHead("XX", 274, 3, 6))) << "no byte order";
    // Cut anywhere before the Exif segment ends (the last 4 bytes start the image data).
    std::vector<uint8_t> cut = JpgHead("II", 274, 3, 6);
    for (size_t n = 0; n + 4 < cut.size(); ++n) {
        EXPECT_EQ(1, ExifOrientation(cut.data(), n)) << "cut after " << n << " bytes";
    }
    const std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};
    EXPECT_EQ(1, Orientation(gif));
}

TEST(ExifOrientation, TheExifBlockIsFoundBehindFillBytesAndOtherApp1Segments) {
    // After the APP0: fill bytes, a restart marker without a length, and an
    // APP1 of XMP, whose first bytes are no Exif header.
    std::vector<uint8_t> head = JpgHead("MM", 274, 3, 5);
    const std::vector<uint8_t> before = {0xFF, 0xFF, 0xFF, 0xD0, 0xFF, 0xE1, 0, 8, 'h', 't', 't', 'p', ':', '/'};
    head.insert(head.begin() + 20, before.begin(), before.end());
    EXPECT_EQ(5, Orientation(head));
}

TEST(StoredPosition, EachOrientationTurnsTheCornersIntoPlace) {
    // A stored 3 x 2 picture; upright it is 3 x 2 for 1-4 and 2 x 3 for 5-8.
    // Where the upright top-left and top-right corners come from:
    struct Case {
        int orientation;
        PixelPosition topLeft, topRight;
    };
    for (const Case& c :
         {Case{1, {0, 0}, {2, 0}}, Case{2, {2, 0}, {0, 0}}, Case{3, {2, 1}, {0, 1}}, Case{4, {0, 1}, {2, 1}},
          Case{5, {0, 0}, {0, 1}}, Case{6, {0, 1}, {0, 0}}, Case{7, {2, 1}, {2, 0}}, Case{8, {2, 0}, {2, 1}}}) {
        const bool swap = SwapsSides(c.orientation);
        EXPECT_EQ(swap, c.orientation >= 5);
        const int width = swap ? 2 : 3, height = swap ? 3 : 2;
        const PixelPosition left = StoredPosition(c.orientation, 0, 0, width, height);
        const PixelPosition right = StoredPosition(c.orientation, width - 1, 0, width, height);
        EXPECT_EQ(c.topLeft.x, left.x) << c.orientation;
        EXPECT_EQ(c.topLeft.y, left.y) << c.orientation;
        EXPECT_EQ(c.topRight.x, right.x) << c.orientation;
        EXPECT_EQ(c.topRight.y, right.y) << c.orientation;
    }
}
