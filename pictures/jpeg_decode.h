// jpg files through libjpeg-turbo: the header first, then the picture scaled
// inside the decoder and area-averaged, a band of rows at a time, to the size
// it is shown at. No copy of the whole picture is ever held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Reads up to `size` bytes of the file into `buffer`: how many it read, 0 at
// the end of the file or when reading fails.
using JpegRead = std::function<size_t(uint8_t* buffer, size_t size)>;

// libjpeg's state and the file it reads.
struct JpegDecode;
struct JpegDecodeEnd {
    void operator()(JpegDecode* decode) const;
};

struct JpegPicture {
    std::unique_ptr<JpegDecode, JpegDecodeEnd> decode;  // null when the file was refused
    int width = 0;                                      // as stored
    int height = 0;
    int orientation = 1;  // Exif orientation, 1 when upright
};

// Reads a jpg's header. The picture is refused (no decode) when the bytes are
// not a jpg, are damaged before the image data, or describe a picture larger
// than the game takes; nothing beyond the header has been decoded then.
JpegPicture OpenJpeg(JpegRead read);

// Decodes the opened picture at width x height (at most its stored size) into
// `target`: 4 bytes a pixel (blue, green, red, 255), rows `stride` bytes
// apart, top row first. False when the file turns out damaged or ends before
// the picture does; `target` then holds part of a picture. One call a picture.
bool DecodeJpeg(JpegPicture& picture, int width, int height, uint8_t* target, size_t stride);
