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
    shrink.rowSums.assign(static_cast<size_t>(width) * 4, 0);
    shrink.columnSums.assign(static_cast<size_t>(width) * 4, 0);
    return shrink;
}

namespace {

void AverageAcross(AreaShrink& s, const uint8_t* row) {
    std::fill(s.rowSums.begin(), s.rowSums.end(), 0u);
    const int64_t outputSpan = s.fullWidth;
    int64_t boundary = outputSpan;  // right edge of output pixel `x`
    int x = 0;
    for (int sx = 0; sx < s.sourceWidth; ++sx) {
        const uint8_t* pixel = row + static_cast<size_t>(sx) * 4;
        int64_t start = static_cast<int64_t>(sx) * s.step * s.width;
        const int64_t end = static_cast<int64_t>(std::min((sx + 1) * s.step, s.fullWidth)) * s.width;
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

void EmitRow(AreaShrink& s, uint8_t* target, size_t targetStride) {
    const uint64_t weight = static_cast<uint64_t>(s.fullWidth) * static_cast<uint64_t>(s.fullHeight);
    uint8_t* out = target + targetStride * static_cast<size_t>(s.outputRow);
    for (size_t i = 0; i < s.columnSums.size(); ++i) {
        out[i] = static_cast<uint8_t>((s.columnSums[i] + weight / 2) / weight);
        s.columnSums[i] = 0;
    }
    ++s.outputRow;
}

}  // namespace

void AddSourceRow(AreaShrink& s, const uint8_t* row, uint8_t* target, size_t targetStride) {
    if (s.nextSourceRow >= s.sourceHeight) return;
    AverageAcross(s, row);
    int64_t start = static_cast<int64_t>(s.nextSourceRow) * s.step * s.height;
    const int64_t end = static_cast<int64_t>(std::min((s.nextSourceRow + 1) * s.step, s.fullHeight)) * s.height;
    ++s.nextSourceRow;
    while (start < end && s.outputRow < s.height) {
        const int64_t boundary = static_cast<int64_t>(s.outputRow + 1) * s.fullHeight;
        const uint64_t take = static_cast<uint64_t>(std::min(end, boundary) - start);
        for (size_t i = 0; i < s.columnSums.size(); ++i) s.columnSums[i] += s.rowSums[i] * take;
        start += static_cast<int64_t>(take);
        if (start == boundary) EmitRow(s, target, targetStride);
    }
}
