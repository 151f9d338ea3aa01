// A look at a bmp file's headers before the Windows bitmap loader reads it:
// the loader trusts them and reads wherever they point.
#pragma once

#include <cstdint>
#include <string_view>

// The bytes of the headers and colour table a bmp file needs at most.
constexpr size_t kBmpHeadBytes = 14 + 124 + 12 + 256 * 4;

// True when the file's headers describe a picture that lies wholly inside
// the file: `head` holds the file's first bytes (up to kBmpHeadBytes) and
// `fileSize` is the whole file's size. A picture larger than 32767 pixels a
// side or 2^27 pixels in all is refused too, as for the other formats.
bool BmpHeadersFitFile(std::string_view head, uint64_t fileSize);
