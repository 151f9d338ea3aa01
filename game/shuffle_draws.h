// The draws the shuffle makes, shown for the tests that pin them to the deals
// players have always had: the game itself deals with DealCells alone.
#pragma once

#include <cstdint>

// The 15-bit linear congruential generator the shuffle draws from.
struct Lcg15 {
    uint32_t state = 0;
};
void SeedLcg(Lcg15& lcg, uint32_t seed);
int NextLcg(Lcg15& lcg);  // 0 to 32767

// 32767 / cellCount rounded up, so that draw / divisor always names a cell.
int ShuffleDivisor(int cellCount);
