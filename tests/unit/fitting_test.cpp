// Tests of fitting a picture to a 1024 x 768 screen.
#include "pictures/fitting.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kMenu = 46;

void ExpectFitted(int width, int height, int fittedWidth, int fittedHeight) {
    const FittedSize fitted = FitToScreen(width, height, kScreenWidth, kScreenHeight, kMenu);
    EXPECT_EQ(fitted.width, fittedWidth) << width << "x" << height;
    EXPECT_EQ(fitted.height, fittedHeight) << width << "x" << height;
    // Shrunk, never enlarged.
    EXPECT_LT(int64_t{fitted.width} * fitted.height, int64_t{width} * height) << width << "x" << height;
}

}  // namespace

TEST(FitToScreen, TooWidePicturesTakeTheScreenWidth) {
    // 1024 / 1600 as a float is a little under 0.64: 383, not 384.
    ExpectFitted(1600, 600, 1024, 383);
    ExpectFitted(1025, 500, 1024, 499);
}

TEST(FitToScreen, TooHighPicturesTakeTheHeightUnderTheMenu) {
    ExpectFitted(1024, 723, 1022, 722);
    // Too wide as well, and still too high at the screen's width: the height
    // rule, from the decoded size.
    ExpectFitted(1600, 1200, 962, 722);
}

TEST(FitToScreen, PanoramasAndWidePhotosStayInsideTheScreen) {
    // The width rule already leaves room under the menu: it stands.
    ExpectFitted(3000, 1000, 1024, 341);
    ExpectFitted(1920, 1080, 1024, 576);
    ExpectFitted(12000, 1500, 1024, 127);
    // A 5:4 screen less a frame of 8 x 60 pixels.
    const FittedSize wide = FitToScreen(1920, 1080, 1280 - 8, 1024, 60);
    EXPECT_EQ(1272, wide.width);
    EXPECT_EQ(715, wide.height);
    for (int width = 400; width <= 9000; width += 37) {
        for (int height = 300; height <= 6000; height += 41) {
            const FittedSize fitted = FitToScreen(width, height, kScreenWidth, kScreenHeight, kMenu);
            ASSERT_LE(fitted.width, kScreenWidth) << width << "x" << height;
            ASSERT_LE(fitted.height + kMenu, kScreenHeight) << width << "x" << height;
        }
    }
}

TEST(FitToScreen, APictureThatFitsIsUsedAsItIsNeverEnlarged) {
    for (const auto& size : {std::pair<int, int>{1024, 722}, {640, 480}, {3, 2}}) {
        const FittedSize fitted = FitToScreen(size.first, size.second, kScreenWidth, kScreenHeight, kMenu);
        EXPECT_EQ(fitted.width, size.first);
        EXPECT_EQ(fitted.height, size.second);
    }
}
