// The two structures picture headers are built of, walked through a
// ByteSource in bounded loops: a jpg's marker segments and a TIFF block's
// first image file directory. The frame-size readers and the Exif
// orientation reader walk the same ones.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "pictures/byte_order.h"

// Up to `size` bytes of the file from `offset` on: fewer at its end.
using ByteSource = std::function<std::string_view(uint64_t offset, size_t size)>;

// The bytes of a file held whole in memory, as a ByteSource.
ByteSource BytesIn(std::string_view bytes);

// A header that takes more steps than this to reach what it is read for is
// no picture worth reading: it would only keep the game busy.
constexpr int kMaxHeaderSteps = 100000;

// Fixed fields of a file: Has() asks for the bytes from an offset on, and the
// readers take fields of those bytes by their place in them.
class Fields {
  public:
    explicit Fields(const ByteSource& file) : file_(file) {}

    // False when the file ends before `size` bytes from `at` on: a field
    // past its end reads as missing.
    bool Has(uint64_t at, size_t size) {
        bytes_ = file_(at, size);
        return bytes_.size() == size;
    }
    uint32_t Byte(size_t i) const { return static_cast<unsigned char>(bytes_[i]); }
    uint32_t Number16(size_t i, ByteOrder order) const { return Read16(bytes_, i, order); }
    uint32_t Number32(size_t i, ByteOrder order) const { return Read32(bytes_, i, order); }
    std::string_view Text(size_t i, size_t size) const { return bytes_.substr(i, size); }

  private:
    const ByteSource& file_;
    std::string_view bytes_;
};

// One marker segment of a jpg.
struct JpgSegment {
    uint32_t marker;  // the byte after 0xFF
    uint64_t at;      // where it starts, at that 0xFF
    uint32_t length;  // its length field: the bytes after the marker, the field's own two among them
};

// The first segment after the start-of-image marker that `wanted` picks;
// fill bytes and the markers that have no length are passed over. Nothing
// when the file ends, breaks the structure or reaches the image data (or its
// end) first.
std::optional<JpgSegment> FindJpgSegment(const ByteSource& file, const std::function<bool(const JpgSegment&)>& wanted);

// One entry of a TIFF image file directory.
struct TiffEntry {
    uint32_t tag;
    uint32_t type;   // 3 SHORT, 4 LONG, ...
    uint32_t count;  // values of that type
    uint32_t value;  // a SHORT's or a LONG's value, held in the entry itself; 0 for other types
};

enum class Walk { On, Stop };

// Whether `head` opens with a TIFF block's signature, in either byte order.
bool IsTiffSignature(std::string_view head);

// Hands the entries of the first image file directory of the TIFF block
// `block` ("II*\0" or "MM\0*" and what follows) to `visit` in order, until
// it says Stop. False when the block is no TIFF, or ends before the
// directory does.
bool WalkTiffDirectory(const ByteSource& block, const std::function<Walk(const TiffEntry&)>& visit);
