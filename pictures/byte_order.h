// Numbers as picture headers store them: one to four bytes, least or most
// significant first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class ByteOrder {
    Little,  // least significant byte first: bmp, gif, an "II" TIFF block
    Big,     // most significant byte first: jpg, png, an "MM" TIFF block
};

// The unsigned number of `width` bytes (1 to 4) at `at` of `bytes`, which
// must hold them.
constexpr uint32_t ReadNumber(std::string_view bytes, size_t at, size_t width, ByteOrder order) {
    uint32_t value = 0;
    for (size_t i = 0; i < width; ++i) {
        const size_t next = order == ByteOrder::Big ? at + i : at + width - 1 - i;
        value = value << 8 | static_cast<unsigned char>(bytes[next]);
    }
    return value;
}

constexpr uint32_t Read16(std::string_view bytes, size_t at, ByteOrder order) {
    return ReadNumber(bytes, at, 2, order);
}

constexpr uint32_t Read32(std::string_view bytes, size_t at, ByteOrder order) {
    return ReadNumber(bytes, at, 4, order);
}
