// The frame size read from a picture file's own header, before any decoder sees the file.
#include "pictures/frame_size.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

FrameSize Read(const std::string& bytes) {
    return ReadFrameSize(BytesIn(bytes));
}

std::string Big16(unsigned v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}
std::string Little16(unsigned v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string Little32(unsigned v) {
    return Little16(v & 0xFFFF) + Little16(v >> 16);
}

std::string JpgSegment(unsigned marker, const std::string& body) {
    return "\xFF"s + static_cast<char>(marker) + Big16(static_cast<unsigned>(body.size() + 2)) + body;
}

// A jpg head: `before` segments, then a frame of width x height.
std::string Jpg(unsigned width, unsigned height, const std::string& before = "", unsigned frameMarker = 0xC0) {
    return "\xFF\xD8"s + before + JpgSegment(frameMarker, "\x08"s + Big16(height) + Big16(width) + "\x03") +
           JpgSegment(0xDA, "scan");
}

void ExpectSize(const FrameSize& size, uint64_t width, uint64_t height, const char* what) {
    EXPECT_EQ(FrameSize::Read::Size, size.read) << what;
    EXPECT_EQ(width, size.width) << what;
    EXPECT_EQ(height, size.height) << what;
}

TEST(FrameSize, AJpgTellsItsFrameWhereverItsSegmentsPutIt) {
    ExpectSize(Read(Jpg(40000, 40000)), 40000, 40000, "a small file that declares a huge frame");
    ExpectSize(Read(Jpg(640, 480, "", 0xC2)), 640, 480, "progressive");
    const std::string app = JpgSegment(0xE1, std::string(65000, 'x'));
    ExpectSize(Read(Jpg(4000, 3000, app + app + app)), 4000, 3000, "behind 195 KB of metadata");
    const std::string table = JpgSegment(0xC4, std::string(30, '\0'));
    ExpectSize(Read(Jpg(320, 240, table + "\xFF\xFF")), 320, 240, "a table is no frame; fill bytes are skipped");
    for (unsigned marker = 0xC0; marker <= 0xCF; ++marker) {
        const bool frame = marker != 0xC4 && marker != 0xC8 && marker != 0xCC;  // DHT, JPG and DAC are not
        const std::string segment = JpgSegment(marker, "\x08"s + Big16(60) + Big16(80) + "\x03");
        ExpectSize(Read(Jpg(320, 240, segment)), frame ? 80 : 320, frame ? 60 : 240, "the first of two frames");
    }

    EXPECT_EQ(FrameSize::Read::Damaged, Read(Jpg(320, 240).substr(0, 8)).read) << "cut before the frame";
    EXPECT_EQ(FrameSize::Read::Damaged, Read("\xFF\xD8"s + JpgSegment(0xDA, "scan")).read) << "data, no frame";
    EXPECT_EQ(FrameSize::Read::Damaged, Read("\xFF\xD8"s + "\xFF\xE0\x00\x01").read) << "a length below 2";
    EXPECT_EQ(FrameSize::Read::Damaged, Read("\xFF\xD8junk").read);
}

TEST(FrameSize, AGifIsItsScreenOrItsFirstImageWhicheverIsLarger) {
    const std::string screen = "GIF89a"s + Little16(100) + Little16(80) + "\x80\x00\x00"s + std::string(6, '\0');
    const std::string comment =
        "\x21\xFE\x05hello\x03"
        "abc\x00"s;
    const std::string image = "\x2C"s + Little16(0) + Little16(0) + Little16(60000) + Little16(10) + "\x00";
    ExpectSize(Read(screen + comment + image), 60000, 80, "an image wider than the screen");
    ExpectSize(Read(screen + "\x2C"s + std::string(4, '\0') + Little16(50) + Little16(40) + "\0"s), 100, 80,
               "an image inside the screen");
    EXPECT_EQ(FrameSize::Read::Damaged, Read(screen + comment).read) << "no image";
    EXPECT_EQ(FrameSize::Read::Damaged, Read(screen + "\x3B").read) << "the trailer before any image";
}

TEST(GifScreen, TheLogicalScreenAndItsColourTable) {
    const GifScreen screen = ReadGifScreen("GIF89a"s + Little16(300) + Little16(200) + "\xF2\x07\x00"s + "more");
    EXPECT_TRUE(screen.read);
    EXPECT_EQ(300u, screen.width);
    EXPECT_EQ(200u, screen.height);
    EXPECT_EQ(24u, screen.colourTableBytes) << "8 entries of 3 bytes";
    EXPECT_EQ(7u, screen.backgroundIndex);
    EXPECT_EQ(0u, ReadGifScreen("GIF87a"s + Little16(1) + Little16(1) + "\x77\x01\x00"s).colourTableBytes)
        << "no global table: its size bits mean nothing";
    EXPECT_FALSE(ReadGifScreen("GIF89a"s + Little16(300) + Little16(200) + "\xF2\x07"s).read) << "cut short";
    EXPECT_FALSE(ReadGifScreen("\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR"s).read) << "no gif";
}

TEST(FrameSize, PngBmpAndTifHeaders) {
    const std::string png = "\x89PNG\r\n\x1A\n\x00\x00\x00\x0DIHDR"s + "\x00\x00\x75\x30\x00\x00\x75\x30"s;
    ExpectSize(Read(png), 30000, 30000, "png");
    EXPECT_EQ(FrameSize::Read::Damaged, Read(png.substr(0, 20)).read);

    const std::string bmp = "BM"s + std::string(12, '\0') + Little32(40) + Little32(640) + Little32(-480);
    ExpectSize(Read(bmp), 640, 480, "a top-down bmp");
    ExpectSize(Read("BM"s + std::string(12, '\0') + Little32(12) + Little16(64) + Little16(32)), 64, 32, "core");

    // Little-endian, its directory a megabyte in, behind the pixels.
    std::string tif = "II*\0"s + Little32(1 << 20) + std::string((1 << 20) - 8, '\0');
    tif += Little16(2) + Little16(256) + Little16(3) + Little32(1) + Little32(5000);
    tif += Little16(257) + Little16(4) + Little32(1) + Little32(7000);
    ExpectSize(Read(tif), 5000, 7000, "tif");
    EXPECT_EQ(FrameSize::Read::Damaged, Read(tif.substr(0, tif.size() - 4)).read);
    tif.replace(tif.size() - 4, 4, Little32(70000));
    ExpectSize(Read(tif), 5000, 70000, "a length of more than 16 bits");
    const std::string bigEndian = "MM\0*\0\0\0\x08\0\x01\x01\x00\0\x03\0\0\0\x01\0\x10\0\0"s;
    EXPECT_EQ(FrameSize::Read::Damaged, Read(bigEndian).read) << "a width without a height";
}

TEST(FrameSize, OtherFilesAreLeftToTheDecoder) {
    EXPECT_EQ(FrameSize::Read::Unknown, Read("This is a text file, not a picture.\r\n").read);
    EXPECT_EQ(FrameSize::Read::Unknown, Read("").read);
    EXPECT_EQ(FrameSize::Read::Unknown, Read("\0\0\1\0"s).read) << "an icon";
}

}  // namespace
