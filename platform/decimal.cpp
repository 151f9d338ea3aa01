// Reading decimal numbers.
#include "platform/decimal.h"

namespace {

constexpr uint64_t kHeldValue = uint64_t(1) << 32;

}  // namespace

LeadingDigits ReadLeadingDigits(std::string_view text) {
    LeadingDigits digits;
    for (; digits.length < text.size(); ++digits.length) {
        const char c = text[digits.length];
        if (c < '0' || c > '9') break;
        digits.value = digits.value * 10 + static_cast<uint64_t>(c - '0');
        if (digits.value > kHeldValue) digits.value = kHeldValue;
    }
    return digits;
}

std::optional<uint32_t> ParseDigits(std::string_view text, size_t maxDigits, uint32_t limit) {
    const LeadingDigits digits = ReadLeadingDigits(text);
    if (digits.length == 0 || digits.length != text.size() || digits.length > maxDigits || digits.value > limit) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(digits.value);
}

int32_t ParseDecimal(std::string_view text) {
    size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos) return 0;
    const bool negative = text[at] == '-';
    if (text[at] == '+' || text[at] == '-') ++at;
    // The magnitude of INT32_MIN, the most either sign can hold.
    constexpr int64_t kMostMagnitude = INT64_C(0x80000000);
    const uint64_t magnitude = ReadLeadingDigits(text.substr(at)).value;
    const int64_t held = magnitude > uint64_t(kMostMagnitude) ? kMostMagnitude : static_cast<int64_t>(magnitude);
    const int64_t value = negative ? -held : held;
    return static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : value);
}
