// Shrinking 32-bit pixels by area averaging, fed a few source rows at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Each output pixel is the mean of the source area it covers, every source
// pixel weighted by the part of it that lies inside: a smooth sky stays
// smooth and a sharp edge becomes one blended pixel, with no false colours.
// Rows arrive top to bottom, so only the output and two rows of sums are
// held, never a second copy of the whole source.
struct AreaShrink {
    int sourceWidth = 0;  // the pixels fed: across, and rows
    int sourceHeight = 0;
    int fullWidth = 0;  // the picture they stand for, `step` of its pixels each way
    int fullHeight = 0;
    int step = 1;
    int width = 0;
    int height = 0;
    int nextSourceRow = 0;
    int outputRow = 0;
    uint64_t reciprocal = 0;  // 2^64 (2^32 when narrow) / (fullWidth x fullHeight)
    std::vector<uint32_t> rowSums;     // one source row averaged across, 4 channels
    // The output row being gathered: in 32 bits while they hold any sum
    // (up to 16.7 million full pixels), which a 32-bit program adds far faster.
    bool narrow = false;
    std::vector<uint32_t> narrowSums;
    std::vector<uint64_t> columnSums;
};

// Prepares shrinking sourceWidth x sourceHeight to width x height (each
// side at least 1 and at most 32767).
AreaShrink BeginAreaShrink(int sourceWidth, int sourceHeight, int width, int height);

// The same for a picture of fullWidth x fullHeight that its decoder already
// scaled by 1/step: each of the ceil(fullWidth / step) pixels across stands
// for `step` pixels of the full picture and the last one for those left over
// (likewise down), so the result is the full picture's area average as
// closely as the scaled pixels tell it.
AreaShrink BeginScaledAreaShrink(int fullWidth, int fullHeight, int step, int width, int height);

// Takes the next source row (sourceWidth pixels of 4 bytes) and writes every
// output row it completes into `target`, whose rows are `targetStride` bytes
// apart, top row first.
void AddSourceRow(AreaShrink& shrink, const uint8_t* row, uint8_t* target, size_t targetStride);
