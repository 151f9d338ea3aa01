// The largest picture the game takes.
#include "pictures/picture_limits.h"

#include <gtest/gtest.h>

namespace {

TEST(FrameFitsLimits, TheLimitsTheGameTakes) {
    EXPECT_TRUE(FrameFitsLimits(32767, 4096));
    EXPECT_TRUE(FrameFitsLimits(1, 1));
    EXPECT_FALSE(FrameFitsLimits(32768, 1));
    EXPECT_TRUE(FrameFitsLimits(16384, 8192)) << "2^27 pixels";
    EXPECT_FALSE(FrameFitsLimits(16384, 8193)) << "more than 2^27 pixels";
    EXPECT_FALSE(FrameFitsLimits(8065, 16642)) << "2^27 + 2, the fewest pixels over";
    EXPECT_FALSE(FrameFitsLimits(0, 480));
    EXPECT_FALSE(FrameFitsLimits(40000, 40000));
}

}  // namespace
