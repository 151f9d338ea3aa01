// Tests of the bmp header checks made before the bitmap loader reads a file.
#include "pictures/bmp_header.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

void Put(std::string& bytes, size_t at, uint32_t value, size_t width) {
    for (size_t i = 0; i < width; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A whole bmp file of width x height at `bits` per pixel, colour table included.
std::string Bmp(int width, int height, int bits) {
    const uint32_t colours = bits <= 8 ? 1u << bits : 0;
    const uint32_t offset = 14 + 40 + colours * 4;
    const uint32_t stride = (uint32_t(width) * bits + 31) / 32 * 4;
    std::string bytes(offset + stride * uint32_t(height < 0 ? -height : height), '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    Put(bytes, 10, offset, 4);
    Put(bytes, 14, 40, 4);
    Put(bytes, 18, static_cast<uint32_t>(width), 4);
    Put(bytes, 22, static_cast<uint32_t>(height), 4);
    Put(bytes, 26, 1, 2);
    Put(bytes, 28, static_cast<uint32_t>(bits), 2);
    return bytes;
}

bool Fits(const std::string& bytes) { return BmpHeadersFitFile(bytes.substr(0, kBmpHeadBytes), bytes.size()); }

}  // namespace

TEST(BmpHeadersFitFile, WholePicturesOfEveryDepthPass) {
    for (const int bits : {1, 4, 8, 16, 24, 32}) EXPECT_TRUE(Fits(Bmp(37, 21, bits))) << bits;
    EXPECT_TRUE(Fits(Bmp(48, -48, 24))) << "top-down rows";
}

TEST(BmpHeadersFitFile, PixelsOrAColourTableBeyondTheEndOfTheFileAreRefused) {
    std::string cut = Bmp(48, 48, 4);
    cut.resize(cut.size() - 1);
    EXPECT_FALSE(Fits(cut)) << "one byte short";

    std::string farOffset = Bmp(48, 48, 24);
    Put(farOffset, 10, 0x7FFFFFFF, 4);
    EXPECT_FALSE(Fits(farOffset));

    std::string tall = Bmp(48, 48, 8);
    Put(tall, 22, 4800, 4);
    EXPECT_FALSE(Fits(tall)) << "more rows than the file holds";

    std::string manyColours = Bmp(16, 16, 24);
    Put(manyColours, 46, 200, 4);
    EXPECT_FALSE(Fits(manyColours)) << "a colour table running past the end";
}

TEST(BmpHeadersFitFile, ImpossibleFieldsAreRefused) {
    std::string bytes = Bmp(16, 16, 8);
    EXPECT_TRUE(Fits(bytes));
    for (const auto& [at, value, width] : {std::tuple<size_t, uint32_t, size_t>{0, 'X', 1}, {14, 41, 4},
                                          {18, 0, 4}, {22, 0, 4}, {26, 2, 2}, {28, 7, 2}, {28, 260, 2},
                                          {30, 5, 4}, {30, 2, 4}, {46, 257, 4}, {10, 1, 4}, {10, 53, 4}}) {
        std::string broken = bytes;
        Put(broken, at, value, width);
        EXPECT_FALSE(Fits(broken)) << "field at " << at << " = " << value;
    }
    EXPECT_FALSE(Fits(Bmp(40000, 1, 1))) << "wider than any picture the game takes";
    EXPECT_FALSE(BmpHeadersFitFile("BM", 2));
}
