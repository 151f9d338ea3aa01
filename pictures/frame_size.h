// What a picture file's own header says of the picture's size, read before
// any decoder sees the file: a small file can declare a frame of billions of
// pixels, and a decoder takes the memory for it before anyone can object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

struct FrameSize {
    enum class Read {
        Size,     // width x height: the largest frame the decoder will make
        Unknown,  // not a format read here: the decoder decides
        Damaged,  // the header ends or contradicts itself before the size
    };
    Read read = Read::Unknown;
    uint64_t width = 0;
    uint64_t height = 0;
};

// Up to `size` bytes of the file from `offset` on: fewer at its end.
using ByteSource = std::function<std::string_view(uint64_t offset, size_t size)>;

// Reads the frame size of a jpg (its start-of-frame segment), gif (the
// logical screen and the first image), png (IHDR), bmp or tif file (IFD 0),
// told by its signature, not its name.
FrameSize ReadFrameSize(const ByteSource& file);

// A gif's logical screen descriptor: the screen its images lie on.
struct GifScreen {
    bool read = false;  // false: no gif, or the file ends before the descriptor does
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t colourTableBytes = 0;  // the global colour table that follows it; 0 when there is none
    uint32_t backgroundIndex = 0;   // the entry of that table the rest of the screen shows
};

// Reads the logical screen from a gif's first 13 bytes, `head` (more may follow).
GifScreen ReadGifScreen(std::string_view head);

// Whether a picture of that size is one the game takes: a side of 1 to
// 32767 pixels and at most 2^27 pixels in all.
bool FrameFitsLimits(uint64_t width, uint64_t height);
