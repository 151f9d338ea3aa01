// Board-size edit check.
#include "game/difficulty.h"

#include "platform/decimal.h"

SizeText ValidateSizeText(std::string_view text) {
    const LeadingDigits digits = ReadLeadingDigits(text);
    SizeText size;
    size.accepted = digits.length == text.size();
    // The value only matters up to 10; longer runs of digits are simply too big.
    if (size.accepted && digits.value >= kMinSide && digits.value <= kMaxSide)
        size.side = static_cast<int>(digits.value);
    return size;
}
