// Feeds arbitrary bytes to the picture header readers: whatever a file
// declares, they answer without reading outside it or running for long.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "pictures/frame_size.h"
#include "pictures/orientation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    size_t reads = 0;
    const FrameSize frame = ReadFrameSize([&](uint64_t offset, size_t count) -> std::string_view {
        ++reads;
        if (offset >= file.size()) return {};
        return file.substr(static_cast<size_t>(offset), count);
    });
    // Every step of a header moves on through the file, and a damaged or
    // unknown file says nothing of a size.
    if (reads > file.size() + 8) std::abort();
    if (frame.read != FrameSize::Read::Size && (frame.width != 0 || frame.height != 0)) std::abort();
    if (frame.width > 0xFFFFFFFFu || frame.height > 0xFFFFFFFFu) std::abort();
    // A gif's logical screen is read from its first bytes alone.
    const GifScreen screen = ReadGifScreen(file);
    if (screen.read != (file.size() >= 13 && file.substr(0, 3) == "GIF")) std::abort();
    if (screen.width > 0xFFFF || screen.height > 0xFFFF || screen.colourTableBytes > 768) std::abort();
    // The orientation walks the same jpg segments and TIFF directories.
    const int orientation = ExifOrientation(data, size);
    if (orientation < 1 || orientation > 8) std::abort();
    return 0;
}
