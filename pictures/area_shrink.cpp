// Area-averaging shrink of 32-bit pixels, one source row at a time.
#include "pictures/area_shrink.h"

#include <algorithm>

// Lengths are counted in units that make both grids whole: a pixel of the
// full picture is `width` units wide and an output pixel `fullWidth` units, so
// every overlap is an integer and the weights of one output pixel sum exactly
// to fullWidth x fullHeight. A source pixel covers `step` full pixels.

AreaShrink BeginAreaShrink(int sourceWidth, int sourceHeight, int width, int height) {
    return BeginScaledAreaShrink(sourceWidth, sourceHeight, 1, width, height);
}

AreaShrink BeginScaledAreaShrink(int fullWidth, int fullHeight, int step, int width, int height) {
    AreaShrink shrink;
    shrink.sourceWidth = (fullWidth + step - 1) / step;
    shrink.sourceHeight = (fullHeight + step - 1) / step;
    shrink.fullWidth = fullWidth;
    shrink.fullHeight = fullHeight;
    shrink.step = step;
    shrink.width = width;
    shrink.height = height;
    const uint64_t weight = static_cast<uint64_t>(fullWidth) * static_cast<uint64_t>(fullHeight);
    // A sum is at most 255 x weight, plus half the weight for rounding.
    shrink.narrow = weight <= UINT32_MAX / 256;
    shrink.reciprocal = shrink.narrow ? UINT32_MAX / weight : UINT64_MAX / weight;
    shrink.rowSums.assign(static_cast<size_t>(width) * 4, 0);
    if (shrink.narrow) {
        shrink.narrowSums.assign(static_cast<size_t>(width) * 4, 0);
    } else {
        shrink.columnSums.assign(static_cast<size_t>(width) * 4, 0);
    }
    return shrink;
}

namespace {

// Positions across are at most 32767 x 32767 units: 32 bits hold them.
void AverageAcross(AreaShrink& s, const uint8_t* row) {
    std::fill(s.rowSums.begin(), s.rowSums.end(), 0u);
    const int32_t outputSpan = s.fullWidth;
    int32_t boundary = outputSpan;  // right edge of output pixel `x`
    int x = 0;
    for (int sx = 0; sx < s.sourceWidth; ++sx) {
        const uint8_t* pixel = row + static_cast<size_t>(sx) * 4;
        int32_t start = sx * s.step * s.width;
        const int32_t end = std::min((sx + 1) * s.step, s.fullWidth) * s.width;
        while (start < end) {
            const uint32_t take = static_cast<uint32_t>(std::min(end, boundary) - start);
            uint32_t* sum = &s.rowSums[static_cast<size_t>(x) * 4];
            sum[0] += pixel[0] * take;
            sum[1] += pixel[1] * take;
            sum[2] += pixel[2] * take;
            sum[3] += pixel[3] * take;
            start += take;
            if (start == boundary && x + 1 < s.width) {
                ++x;
                boundary += outputSpan;
            }
        }
    }
}

// The high half of a 64 x 64-bit product, in 32-bit pieces that a 32-bit
// program multiplies as fast as a 64-bit one.
uint64_t MultiplyHigh(uint64_t a, uint64_t b) {
    const uint64_t aLow = a & 0xFFFFFFFFu, aHigh = a >> 32, bLow = b & 0xFFFFFFFFu, bHigh = b >> 32;
    const uint64_t low = aLow * bLow, across = aHigh * bLow, down = aLow * bHigh;
    const uint64_t carry = ((low >> 32) + (across & 0xFFFFFFFFu) + (down & 0xFFFFFFFFu)) >> 32;
    return aHigh * bHigh + (across >> 32) + (down >> 32) + carry;
}

// sum / weight, rounded down: a multiplication by the reciprocal falls short
// by at most two, and the remainder tells when. A division for every channel
// of every pixel cost more than all the rest together.
uint32_t Divide(uint32_t sum, uint32_t weight, uint64_t reciprocal) {
    uint32_t quotient = static_cast<uint32_t>((static_cast<uint64_t>(sum) * reciprocal) >> 32);
    while (sum - quotient * weight >= weight) ++quotient;
    return quotient;
}

uint64_t Divide(uint64_t sum, uint64_t weight, uint64_t reciprocal) {
    uint64_t quotient = MultiplyHigh(sum, reciprocal);
    while (sum - quotient * weight >= weight) ++quotient;
    return quotient;
}

template <typename Sum>
void Gather(const AreaShrink& s, std::vector<Sum>& sums, uint32_t take) {
    for (size_t i = 0; i < sums.size(); ++i) sums[i] += static_cast<Sum>(s.rowSums[i]) * take;
}

// Completes an output row with `take` of the source row just averaged
// across, and starts the next one with `rest` of it, in one pass.
template <typename Sum>
void EmitRow(AreaShrink& s, std::vector<Sum>& sums, uint32_t take, uint32_t rest, uint8_t* target,
             size_t targetStride) {
    const Sum weight = static_cast<Sum>(s.fullWidth) * static_cast<Sum>(s.fullHeight);
    uint8_t* out = target + targetStride * static_cast<size_t>(s.outputRow);
    for (size_t i = 0; i < sums.size(); ++i) {
        const Sum row = s.rowSums[i];
        out[i] = static_cast<uint8_t>(Divide(static_cast<Sum>(sums[i] + row * take + weight / 2), weight, s.reciprocal));
        sums[i] = row * rest;
    }
    ++s.outputRow;
}

template <typename Sum>
void AddRow(AreaShrink& s, std::vector<Sum>& sums, int64_t start, int64_t end, uint8_t* target, size_t targetStride) {
    while (s.outputRow < s.height) {
        const int64_t boundary = static_cast<int64_t>(s.outputRow + 1) * s.fullHeight;
        if (end < boundary) {
            if (end > start) Gather(s, sums, static_cast<uint32_t>(end - start));
            return;
        }
        const int64_t next = std::min(end, boundary + s.fullHeight);
        EmitRow(s, sums, static_cast<uint32_t>(boundary - start), static_cast<uint32_t>(next - boundary), target,
                targetStride);
        start = next;
    }
}

}  // namespace

void AddSourceRow(AreaShrink& s, const uint8_t* row, uint8_t* target, size_t targetStride) {
    if (s.nextSourceRow >= s.sourceHeight) return;
    AverageAcross(s, row);
    const int64_t start = static_cast<int64_t>(s.nextSourceRow) * s.step * s.height;
    const int64_t end = static_cast<int64_t>(std::min((s.nextSourceRow + 1) * s.step, s.fullHeight)) * s.height;
    ++s.nextSourceRow;
    if (s.narrow) {
        AddRow(s, s.narrowSums, start, end, target, targetStride);
    } else {
        AddRow(s, s.columnSums, start, end, target, targetStride);
    }
}
