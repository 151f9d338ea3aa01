// Tests of the jpg decoder on pictures encoded here through libjpeg-turbo
// itself: every scale step and every kind of jpg against the whole picture
// decoded and area-averaged, the Exif orientation, and damaged files.
#include "pictures/jpeg_decode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "pictures/jpeg_scale.h"

namespace {

using Bytes = std::vector<uint8_t>;

enum class Kind { Baseline, Progressive, Restarts, Grayscale, Cmyk, Ycck };

const char* Name(Kind kind) {
    switch (kind) {
        case Kind::Baseline: return "baseline";
        case Kind::Progressive: return "progressive";
        case Kind::Restarts: return "restart markers";
        case Kind::Grayscale: return "grayscale";
        case Kind::Cmyk: return "CMYK";
        case Kind::Ycck: return "YCCK";
    }
    return "";
}

constexpr int kWidth = 803;  // partial blocks at the right and bottom edges
constexpr int kHeight = 601;

// A photograph stand-in: light across and down, a soft wave, hard-edged
// blocks (roof lines, window frames) and a little sensor noise.
int Sample(int x, int y, int channel) {
    uint32_t h = static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y + channel * 977) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    const int noise = static_cast<int>((h >> 24) & 7) - 4;
    int value = channel == 2 ? x * 255 / (kWidth - 1) : channel == 1 ? y * 255 / (kHeight - 1) : 0;
    if (channel == 0) {
        value = static_cast<int>(128 + 100 * std::sin(x * 10.7 / kWidth) * std::cos(y * 9.6 / kHeight));
        if ((x * 8 / kWidth + y * 8 / kHeight) % 3 == 0 && x % (kWidth / 8) > kWidth / 32) value = 255 - value;
    }
    return std::clamp(value + noise, 0, 255);
}

// The jpg of `kind`, width x height, with an APP1 segment when `app1` is not empty.
Bytes Encode(Kind kind, int width, int height, const std::string& app1 = "") {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    const bool inks = kind == Kind::Cmyk || kind == Kind::Ycck;
    info.input_components = kind == Kind::Grayscale ? 1 : inks ? 4 : 3;
    info.in_color_space = kind == Kind::Grayscale ? JCS_GRAYSCALE : inks ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (kind == Kind::Ycck) jpeg_set_colorspace(&info, JCS_YCCK);
    if (kind == Kind::Progressive) jpeg_simple_progression(&info);
    if (kind == Kind::Restarts) info.restart_interval = 3;
    jpeg_start_compress(&info, TRUE);
    if (!app1.empty()) {
        jpeg_write_marker(&info, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(app1.data()),
                          static_cast<unsigned>(app1.size()));
    }
    Bytes row(static_cast<size_t>(width) * info.input_components);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &row[static_cast<size_t>(x) * info.input_components];
            if (kind == Kind::Grayscale) {
                p[0] = static_cast<uint8_t>((Sample(x, y, 0) + Sample(x, y, 1) + Sample(x, y, 2)) / 3);
            } else if (inks) {
                // Stored as Adobe's programs store ink: inverted, 255 for none.
                for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(Sample(x, y, 2 - c));
                p[3] = static_cast<uint8_t>(255 - (x + y) * 80 / (kWidth + kHeight));
            } else {
                for (int c = 0; c < 3; ++c) p[c] = static_cast<uint8_t>(Sample(x, y, 2 - c));
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    Bytes bytes(out, out + size);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

JpegRead Reading(const Bytes& bytes) {
    return [bytes, at = size_t(0)](uint8_t* buffer, size_t size) mutable {
        const size_t n = std::min(size, bytes.size() - at);
        if (n) std::memcpy(buffer, bytes.data() + at, n);
        at += n;
        return n;
    };
}

// Light as blue, green, red in double precision, 3 a pixel.
struct Light {
    int width = 0;
    int height = 0;
    std::vector<double> values;
    double At(int x, int y, int c) const { return values[(static_cast<size_t>(y) * width + x) * 3 + c]; }
};

// The whole picture decoded at its own size, as the file means it.
Light DecodeWhole(const Bytes& bytes) {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    const bool inks = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = inks ? JCS_CMYK : JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    Light light{static_cast<int>(info.output_width), static_cast<int>(info.output_height), {}};
    Bytes row(static_cast<size_t>(light.width) * 4);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < light.width; ++x) {
            const uint8_t* p = &row[static_cast<size_t>(x) * 4];
            for (int c = 0; c < 3; ++c) light.values.push_back(inks ? p[2 - c] * p[3] / 255.0 : p[c]);
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return light;
}

// The ordinary area-averaging resize, in floating point.
Light AreaAverage(const Light& from, int width, int height) {
    const double sx = static_cast<double>(from.width) / width, sy = static_cast<double>(from.height) / height;
    Light out{width, height, std::vector<double>(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                double sum = 0;
                for (int v = static_cast<int>(y * sy); v < std::ceil((y + 1) * sy) && v < from.height; ++v) {
                    const double h = std::min(v + 1.0, (y + 1) * sy) - std::max<double>(v, y * sy);
                    for (int u = static_cast<int>(x * sx); u < std::ceil((x + 1) * sx) && u < from.width; ++u) {
                        const double w = std::min(u + 1.0, (x + 1) * sx) - std::max<double>(u, x * sx);
                        sum += w * h * from.At(u, v, c);
                    }
                }
                out.values[(static_cast<size_t>(y) * width + x) * 3 + c] = sum / (sx * sy);
            }
        }
    }
    return out;
}

// The worst seen, for the record.
double g_worstMean = 0, g_largest = 0;

// The decoder's picture at width x height against the whole picture
// area-averaged: mean and largest difference in levels over every colour sample.
::testing::AssertionResult LooksTheSame(const Bytes& jpg, const Light& whole, int width, int height) {
    JpegPicture picture = OpenJpeg(Reading(jpg));
    if (!picture.decode) return ::testing::AssertionFailure() << "refused";
    Bytes shown(static_cast<size_t>(width) * height * 4);
    if (!DecodeJpeg(picture, width, height, shown.data(), static_cast<size_t>(width) * 4)) {
        return ::testing::AssertionFailure() << "not decoded";
    }
    const Light reference = AreaAverage(whole, width, height);
    double sum = 0, largest = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = &shown[(static_cast<size_t>(y) * width + x) * 4];
            if (p[3] != 255) return ::testing::AssertionFailure() << "not opaque at " << x << ", " << y;
            for (int c = 0; c < 3; ++c) {
                const double error = std::fabs(p[c] - reference.At(x, y, c));
                sum += error;
                largest = std::max(largest, error);
            }
        }
    }
    const double mean = sum / (3.0 * width * height);
    g_worstMean = std::max(g_worstMean, mean);
    g_largest = std::max(g_largest, largest);
    ::testing::AssertionResult result =
        mean <= 1.0 && largest <= 48 ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    return result << width << " x " << height << ": mean difference " << mean << ", largest " << largest;
}

struct Step {
    int denominator;
    int width;
    int height;
};
// Shown sizes that take each scale step: a little below the scaled size,
// and the scaled size itself, where nothing is left to shrink.
const Step kSteps[] = {{1, 700, 523}, {1, kWidth, kHeight}, {2, 380, 284}, {2, 402, 301},
                       {4, 190, 142}, {4, 201, 151},        {8, 95, 71},   {8, 101, 76}};

TEST(JpegDecode, EveryScaleStepShowsTheSamePictureForEveryKindOfJpg) {
    for (Kind kind : {Kind::Baseline, Kind::Progressive, Kind::Restarts, Kind::Grayscale, Kind::Cmyk, Kind::Ycck}) {
        const Bytes jpg = Encode(kind, kWidth, kHeight);
        const Light whole = DecodeWhole(jpg);
        for (const Step& step : kSteps) {
            SCOPED_TRACE(Name(kind));
            ASSERT_EQ(step.denominator, JpegScaleDenominator(kWidth, kHeight, step.width, step.height));
            EXPECT_TRUE(LooksTheSame(jpg, whole, step.width, step.height)) << "1/" << step.denominator;
        }
    }
    std::printf("every kind of jpg at every scale step: mean difference at most %.2f levels, largest %.1f\n",
                g_worstMean, g_largest);
}

TEST(JpegDecode, TheHeaderGivesTheStoredSizeAndTheExifOrientation) {
    const std::string exif("Exif\0\0II*\0\x08\0\0\0\x01\0\x12\x01\x03\0\x01\0\0\0\x06\0\0\0\0\0\0\0", 32);
    JpegPicture turned = OpenJpeg(Reading(Encode(Kind::Baseline, 64, 48, exif)));
    ASSERT_TRUE(turned.decode);
    EXPECT_EQ(64, turned.width);
    EXPECT_EQ(48, turned.height);
    EXPECT_EQ(6, turned.orientation);
    EXPECT_EQ(1, OpenJpeg(Reading(Encode(Kind::Baseline, 64, 48, "http://ns.adobe.com/xap/1.0/"))).orientation);
}

// The jpg with the frame size its header declares replaced.
Bytes Declaring(Bytes jpg, int width, int height) {
    for (size_t i = 0; i + 9 < jpg.size(); ++i) {
        if (jpg[i] == 0xFF && (jpg[i + 1] == 0xC0 || jpg[i + 1] == 0xC2)) {
            jpg[i + 5] = static_cast<uint8_t>(height >> 8);
            jpg[i + 6] = static_cast<uint8_t>(height);
            jpg[i + 7] = static_cast<uint8_t>(width >> 8);
            jpg[i + 8] = static_cast<uint8_t>(width);
            break;
        }
    }
    return jpg;
}

TEST(JpegDecode, AFrameBeyondThePixelLimitIsRefusedOnTheHeadersWord) {
    const Bytes small = Encode(Kind::Baseline, 16, 16);
    EXPECT_FALSE(OpenJpeg(Reading(Declaring(small, 40000, 40000))).decode) << "a side over 32767";
    EXPECT_FALSE(OpenJpeg(Reading(Declaring(small, 20000, 20000))).decode) << "more than 2^27 pixels";
    // Within the limit, a header that lies ends as soon as the data runs out.
    const Bytes lying = Declaring(small, 16000, 8000);
    JpegPicture picture = OpenJpeg(Reading(lying));
    ASSERT_TRUE(picture.decode);
    Bytes shown(2000 * 1000 * 4);
    EXPECT_FALSE(DecodeJpeg(picture, 2000, 1000, shown.data(), 2000 * 4));
}

TEST(JpegDecode, DamagedFilesFailWithoutACrashOrAWord) {
    ::testing::internal::CaptureStderr();
    int decoded = 0, failed = 0;
    for (Kind kind : {Kind::Baseline, Kind::Progressive, Kind::Restarts}) {
        const Bytes jpg = Encode(kind, 160, 120);
        std::vector<Bytes> damaged = {Bytes(), Bytes{0xFF, 0xD8, 0xFF}, Bytes(jpg.begin(), jpg.begin() + 2)};
        for (size_t keep = 20; keep < jpg.size(); keep += jpg.size() / 23) {
            damaged.emplace_back(jpg.begin(), jpg.begin() + static_cast<long>(keep));
        }
        for (size_t at = 2; at < jpg.size(); at += jpg.size() / 31) {
            Bytes flipped = jpg;
            flipped[at] ^= 0x5A;
            flipped[(at * 7) % jpg.size()] = 0xFF;
            damaged.push_back(flipped);
        }
        for (const Bytes& bytes : damaged) {
            JpegPicture picture = OpenJpeg(Reading(bytes));
            Bytes shown(80 * 60 * 4);
            if (picture.decode && DecodeJpeg(picture, 80, 60, shown.data(), 80 * 4)) {
                ++decoded;
            } else {
                ++failed;
            }
        }
        // A file cut short anywhere in its image data is refused.
        for (size_t keep = jpg.size() / 2; keep < jpg.size() - 2; keep += jpg.size() / 9) {
            JpegPicture picture = OpenJpeg(Reading(Bytes(jpg.begin(), jpg.begin() + static_cast<long>(keep))));
            Bytes shown(80 * 60 * 4);
            EXPECT_FALSE(picture.decode && DecodeJpeg(picture, 80, 60, shown.data(), 80 * 4))
                << Name(kind) << " cut at " << keep << " of " << jpg.size() << " bytes";
        }
    }
    EXPECT_EQ("", ::testing::internal::GetCapturedStderr()) << "libjpeg's messages stay silent";
    EXPECT_GT(failed, 0);
    std::printf("damaged jpg files: %d decoded, %d refused\n", decoded, failed);
    EXPECT_FALSE(OpenJpeg(Reading(Bytes{'G', 'I', 'F', '8', '9', 'a'})).decode) << "not a jpg";
}

}  // namespace
