// Board-size edit check.
#include "game/difficulty.h"

int ValidateSizeText(const char* text, int* work) {
    // The value only matters up to 10; longer runs of digits are simply too big.
    long long value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        if (value <= kMaxSide) value = value * 10 + (*p - '0');
    }
    if (value >= kMinSide && value <= kMaxSide) *work = static_cast<int>(value);
    return 1;
}
