// Tests of the scale a jpg is decoded at.
#include "pictures/jpeg_scale.h"

#include <gtest/gtest.h>

TEST(JpegScale, TheMostReductionThatStillCoversTheShownSize) {
    // A 12-megapixel photo on a 1024 x 768 screen: a quarter is 1000 x 750.
    EXPECT_EQ(4, JpegScaleDenominator(4000, 3000, 962, 722));
    EXPECT_EQ(2, JpegScaleDenominator(4000, 3000, 1001, 722)) << "one pixel wider than the quarter";
    EXPECT_EQ(8, JpegScaleDenominator(8000, 6000, 962, 722));
    EXPECT_EQ(8, JpegScaleDenominator(8000, 6000, 10, 10)) << "never beyond an eighth";
    EXPECT_EQ(1, JpegScaleDenominator(640, 480, 640, 480)) << "shown at its own size";
    EXPECT_EQ(1, JpegScaleDenominator(640, 480, 321, 240)) << "half would be one pixel too narrow";
    EXPECT_EQ(2, JpegScaleDenominator(640, 480, 320, 240)) << "half exactly";
}

TEST(JpegScale, PartialBlocksRoundUp) {
    // 803 / 8 gives 101 pixels (the last block partly filled), 601 / 8 gives 76.
    EXPECT_EQ(8, JpegScaleDenominator(803, 601, 101, 76));
    EXPECT_EQ(4, JpegScaleDenominator(803, 601, 101, 77));
}
