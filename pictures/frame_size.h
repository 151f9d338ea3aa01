// What a picture file's own header says of the picture's size, read before
// any decoder sees the file: a small file can declare a frame of billions of
// pixels, and a decoder takes the memory for it before anyone can object.
#pragma once

#include <cstdint>
#include <string_view>

#include "pictures/header_walk.h"

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
