// Decimal numbers as the files and the dialog give them.
#include "platform/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace {

TEST(ParseDigits, PlainDigitsUpToTheirCountAndTheirLimitAndNothingElse) {
    EXPECT_EQ(std::optional<uint32_t>(42), ParseDigits("42", 10, 100));
    EXPECT_EQ(std::optional<uint32_t>(7), ParseDigits("007", 3, 10));
    EXPECT_EQ(std::optional<uint32_t>(0), ParseDigits("0", 1, 0));
    EXPECT_EQ(std::nullopt, ParseDigits("007", 2, 10)) << "one digit too many, though its value fits";
    EXPECT_EQ(std::nullopt, ParseDigits("101", 3, 100));
    for (const char* text : {"", "+5", "-5", " 5", "5 ", "5,", "\x82\x54"}) {
        EXPECT_EQ(std::nullopt, ParseDigits(text, 10, 100)) << '"' << text << '"';
    }
    EXPECT_EQ(std::optional<uint32_t>(UINT32_MAX), ParseDigits("4294967295", 10, UINT32_MAX));
    EXPECT_EQ(std::nullopt, ParseDigits("4294967296", 10, UINT32_MAX));
    EXPECT_EQ(std::nullopt, ParseDigits("18446744073709551616", 20, UINT32_MAX)) << "2^64 must not wrap to 0";
}

TEST(ReadLeadingDigits, TheRunThatOpensTheTextHeldPast32Bits) {
    const LeadingDigits digits = ReadLeadingDigits("12ab3");
    EXPECT_EQ(2u, digits.length);
    EXPECT_EQ(12u, digits.value);
    EXPECT_EQ(0u, ReadLeadingDigits("x12").length);
    EXPECT_EQ(uint64_t(1) << 32, ReadLeadingDigits("18446744073709551617").value);
}

TEST(ParseDecimal, ReadingStopsAtANulAsInAString) {
    EXPECT_EQ(7, ParseDecimal(std::string_view("7\0"
                                               "5",
                                               3)));
    EXPECT_EQ(0, ParseDecimal(std::string_view(" \0"
                                               "5",
                                               3)));
    EXPECT_EQ(-12, ParseDecimal("\r\n-12x"));
}

}  // namespace
