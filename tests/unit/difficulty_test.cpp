// The board-size edit check of the difficulty dialog.
#include <gtest/gtest.h>

#include "game/difficulty.h"

namespace {

TEST(ValidateSizeText, HalfWidthDigitsAreAcceptedButOnlySidesFrom4To10AreTaken) {
    int work = 6;
    EXPECT_EQ(1, ValidateSizeText("7", &work));
    EXPECT_EQ(7, work);
    EXPECT_EQ(1, ValidateSizeText("4", &work));
    EXPECT_EQ(4, work);
    EXPECT_EQ(1, ValidateSizeText("10", &work));
    EXPECT_EQ(10, work);
    EXPECT_EQ(1, ValidateSizeText("1", &work)) << "on the way to 12";
    EXPECT_EQ(1, ValidateSizeText("12", &work));
    EXPECT_EQ(10, work);
    EXPECT_EQ(1, ValidateSizeText("", &work)) << "an empty edit is no error";
    EXPECT_EQ(1, ValidateSizeText("3", &work));
    EXPECT_EQ(1, ValidateSizeText("0", &work));
    EXPECT_EQ(1, ValidateSizeText("9999999999999999999999999999999", &work)) << "no overflow";
    EXPECT_EQ(10, work);
    EXPECT_EQ(1, ValidateSizeText("0005", &work));
    EXPECT_EQ(5, work);
}

TEST(ValidateSizeText, AnythingButHalfWidthDigitsIsAnErrorAndChangesNothing) {
    int work = 6;
    for (const char* text : {"a", "7a", "-5", "+5", " 5", "5 ", "\x82\x54" /* full-width 5 */, "5.0",
                             "\x81\x40" /* full-width blank */}) {
        EXPECT_EQ(0, ValidateSizeText(text, &work)) << text;
        EXPECT_EQ(6, work) << text;
    }
}

}  // namespace
