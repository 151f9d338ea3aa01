// Tests of shrinking pictures by area averaging.
#include "pictures/area_shrink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

struct Picture {
    int width;
    int height;
    std::vector<uint8_t> bytes;  // 4 per pixel, rows top to bottom
    uint8_t* At(int x, int y, int channel = 0) {
        return &bytes[(static_cast<size_t>(y) * width + x) * 4 + channel];
    }
};

Picture Blank(int width, int height) { return Picture{width, height, std::vector<uint8_t>(width * height * 4u)}; }

Picture Shrink(Picture& source, int width, int height) {
    Picture out = Blank(width, height);
    AreaShrink shrink = BeginAreaShrink(source.width, source.height, width, height);
    for (int y = 0; y < source.height; ++y) AddSourceRow(shrink, source.At(0, y), out.bytes.data(), width * 4u);
    EXPECT_EQ(height, shrink.outputRow);
    return out;
}

}  // namespace

TEST(AreaShrink, HalvingAveragesEachTwoByTwoBlock) {
    Picture source = Blank(4, 2);
    const uint8_t values[2][4] = {{0, 100, 255, 255}, {50, 150, 255, 0}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            for (int c = 0; c < 4; ++c) *source.At(x, y, c) = values[y][x];
        }
    }
    Picture out = Shrink(source, 2, 1);
    EXPECT_EQ(75, *out.At(0, 0, 0));    // (0 + 100 + 50 + 150) / 4
    EXPECT_EQ(191, *out.At(1, 0, 2));   // (255 + 255 + 255 + 0) / 4 = 191.25
}

TEST(AreaShrink, ThreeToTwoSharesTheMiddlePixel) {
    Picture source = Blank(3, 1);
    *source.At(0, 0) = 90;
    *source.At(1, 0) = 30;
    *source.At(2, 0) = 0;
    Picture out = Shrink(source, 2, 1);
    EXPECT_EQ(70, *out.At(0, 0));  // (90 + 30 / 2) / 1.5
    EXPECT_EQ(10, *out.At(1, 0));  // (30 / 2 + 0) / 1.5
}

TEST(AreaShrink, AnyRatioGivesTheExactAreaMeanOfAPhotoLikePicture) {
    // Smooth gradients with a hard edge, shrunk by odd ratios both ways.
    Picture source = Blank(331, 257);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            *source.At(x, y, 0) = static_cast<uint8_t>(x * 255 / 330);
            *source.At(x, y, 1) = static_cast<uint8_t>(y * 255 / 256);
            *source.At(x, y, 2) = (x - y > 40) ? 255 : 0;
            *source.At(x, y, 3) = 255;
        }
    }
    for (const auto& size : {std::pair<int, int>{100, 77}, {330, 256}, {7, 5}, {331, 1}}) {
        Picture out = Shrink(source, size.first, size.second);
        const double sx = static_cast<double>(source.width) / size.first;
        const double sy = static_cast<double>(source.height) / size.second;
        for (int y = 0; y < size.second; ++y) {
            for (int x = 0; x < size.first; ++x) {
                for (int c = 0; c < 4; ++c) {
                    double sum = 0;
                    for (int v = static_cast<int>(y * sy); v < std::ceil((y + 1) * sy); ++v) {
                        const double wy = std::min(v + 1.0, (y + 1) * sy) - std::max<double>(v, y * sy);
                        for (int u = static_cast<int>(x * sx); u < std::ceil((x + 1) * sx); ++u) {
                            const double wx = std::min(u + 1.0, (x + 1) * sx) - std::max<double>(u, x * sx);
                            sum += wx * wy * *source.At(u, v, c);
                        }
                    }
                    ASSERT_NEAR(sum / (sx * sy), *out.At(x, y, c), 0.5001)
                        << size.first << "x" << size.second << " at " << x << "," << y << " channel " << c;
                }
            }
        }
    }
}

TEST(AreaShrink, RowsBeyondTheSourceAreIgnored) {
    Picture source = Blank(2, 2);
    for (uint8_t& b : source.bytes) b = 200;
    Picture out = Blank(1, 1);
    AreaShrink shrink = BeginAreaShrink(2, 2, 1, 1);
    for (int y = 0; y < 3; ++y) AddSourceRow(shrink, source.At(0, y % 2), out.bytes.data(), 4);
    EXPECT_EQ(1, shrink.outputRow);
    EXPECT_EQ(200, *out.At(0, 0, 3));
}

TEST(AreaShrink, AScaledDecodeCountsItsLastColumnAndRowForWhatTheyCover) {
    // 10 x 6 decoded at a quarter: 3 x 2 pixels standing for 4, 4 and 2
    // columns and for 4 and 2 rows of the full picture.
    Picture source = Blank(3, 2);
    const uint8_t values[2][3] = {{40, 80, 200}, {100, 10, 250}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) *source.At(x, y) = values[y][x];
    }
    Picture out = Blank(1, 1);
    AreaShrink shrink = BeginScaledAreaShrink(10, 6, 4, 1, 1);
    EXPECT_EQ(3, shrink.sourceWidth);
    EXPECT_EQ(2, shrink.sourceHeight);
    for (int y = 0; y < 2; ++y) AddSourceRow(shrink, source.At(0, y), out.bytes.data(), 4);
    // (4 x (40 x 4 + 80 x 4 + 200 x 2) + 2 x (100 x 4 + 10 x 4 + 250 x 2)) / 60 = 90
    EXPECT_EQ(90, *out.At(0, 0));

    // Shrunk to 3 x 3, each output pixel 10/3 full columns wide: the middle
    // one takes 2/3 of a column from the first scaled pixel and 8/3 from the
    // second, the last 4/3 from the second and 2 from the third.
    Picture third = Blank(3, 3);
    shrink = BeginScaledAreaShrink(10, 6, 4, 3, 3);
    for (int y = 0; y < 2; ++y) AddSourceRow(shrink, source.At(0, y), third.bytes.data(), 12);
    EXPECT_EQ(72, *third.At(1, 0));   // (40 x 2/3 + 80 x 8/3) / (10/3)
    EXPECT_EQ(152, *third.At(2, 0));  // (80 x 4/3 + 200 x 2) / (10/3)
    EXPECT_EQ(100, *third.At(0, 2));  // the last scaled row alone
}

TEST(AreaShrink, AFiftyMegapixelPictureIsAveragedAsExactlyAsASmallOne) {
    // 8000 x 6000 decoded at an eighth: its sums outgrow 32 bits.
    Picture source = Blank(1000, 750);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            for (int c = 0; c < 4; ++c) *source.At(x, y, c) = static_cast<uint8_t>((x * 7 + y * 3 + c * 50) % 256);
        }
    }
    Picture big = Blank(999, 749), small = Blank(999, 749);
    AreaShrink wide = BeginScaledAreaShrink(8000, 6000, 8, 999, 749);
    AreaShrink narrow = BeginAreaShrink(1000, 750, 999, 749);
    ASSERT_FALSE(wide.narrow);
    ASSERT_TRUE(narrow.narrow);
    for (int y = 0; y < source.height; ++y) {
        AddSourceRow(wide, source.At(0, y), big.bytes.data(), 999 * 4);
        AddSourceRow(narrow, source.At(0, y), small.bytes.data(), 999 * 4);
    }
    // Every scaled pixel stands for 8 x 8 full ones, so both give the same.
    EXPECT_EQ(small.bytes, big.bytes);
}
