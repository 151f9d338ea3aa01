// The board-size edit check of the difficulty dialog.
#include <gtest/gtest.h>

#include <optional>

#include "game/difficulty.h"

namespace {

TEST(ValidateSizeText, HalfWidthDigitsAreAcceptedButOnlySidesFrom4To10AreTaken) {
    const struct {
        const char* text;
        std::optional<int> side;
        const char* why;
    } cases[] = {
        {"7", 7, ""},
        {"4", 4, ""},
        {"10", 10, ""},
        {"1", std::nullopt, "on the way to 12"},
        {"12", std::nullopt, ""},
        {"", std::nullopt, "an empty edit is no error"},
        {"3", std::nullopt, ""},
        {"0", std::nullopt, ""},
        {"9999999999999999999999999999999", std::nullopt, "no overflow"},
        {"0005", 5, ""},
    };
    for (const auto& c : cases) {
        const SizeText size = ValidateSizeText(c.text);
        EXPECT_TRUE(size.accepted) << c.text << ": " << c.why;
        EXPECT_EQ(c.side, size.side) << c.text << ": " << c.why;
    }
}

TEST(ValidateSizeText, AnythingButHalfWidthDigitsIsAnErrorAndChangesNothing) {
    for (const char* text :
         {"a", "7a", "-5", "+5", " 5", "5 ", "\x82\x54" /* full-width 5 */, "5.0", "\x81\x40" /* full-width blank */}) {
        const SizeText size = ValidateSizeText(text);
        EXPECT_FALSE(size.accepted) << text;
        EXPECT_FALSE(size.side) << text;
    }
}

}  // namespace
