// Decimal numbers in the texts the program reads: the list files' best times,
// the saved game, the settings file and the difficulty dialog's edits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// The run of decimal digits that opens a text.
struct LeadingDigits {
    size_t length = 0;   // how many bytes of the text it takes
    uint64_t value = 0;  // its value, held at 2^32 once past it: no run overflows
};
LeadingDigits ReadLeadingDigits(std::string_view text);

// The value of a text that is one to `maxDigits` digits and nothing else (no
// blank, no sign), when it is at most `limit`.
std::optional<uint32_t> ParseDigits(std::string_view text, size_t maxDigits, uint32_t limit);

// atoi as the Windows runtime does it: blanks, a sign, digits, up to the first
// byte that is none of these; no digits give 0, and values beyond 32 bits
// saturate instead of overflowing.
int32_t ParseDecimal(std::string_view text);
