// libjpeg-turbo behind the game's picture loading: a source that reads the
// file through the caller, errors that end the load instead of the program,
// and scanlines read in bands into the area-averaging shrink.
#include "pictures/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "pictures/area_shrink.h"
#include "pictures/jpeg_scale.h"
#include "pictures/orientation.h"
#include "pictures/picture_limits.h"

namespace {

constexpr size_t kInputBytes = 64 * 1024;
constexpr int kRowsPerBand = 16;
// A progressive jpg is read scan after scan; a camera's or an editor's has
// about ten. Thousands of scans would keep the decoder busy for minutes.
constexpr int kMaxScans = 500;
constexpr int kExifMarker = JPEG_APP0 + 1;

}  // namespace

// Everything libjpeg works on lives here, on the heap: the decoder jumps back
// out of its own code on an error, so nothing it touches may live in a frame
// that the jump leaves.
struct JpegDecode {
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    std::jmp_buf escape;
    jpeg_source_mgr source;
    jpeg_progress_mgr progress;
    JpegRead read;
    std::vector<uint8_t> input;
    bool ranOut;  // the file ended before the decoder was done with it
    std::vector<uint8_t> band;
    std::vector<JSAMPROW> rows;
    AreaShrink shrink;
};

void JpegDecodeEnd::operator()(JpegDecode* decode) const {
    jpeg_destroy_decompress(&decode->info);
    delete decode;
}

namespace {

JpegDecode& Of(j_decompress_ptr info) {
    return *static_cast<JpegDecode*>(info->client_data);
}

// Runs `work` with libjpeg's errors leading back here: false when one came.
// Called once for the header and once for the pixels, each time with the
// decoder's state on the heap and nothing but plain values in `work`'s frame.
template <typename Work>
bool Guarded(JpegDecode& d, Work work) {
    if (setjmp(d.escape)) return false;
    return work();
}

[[noreturn]] void EscapeOnError(j_common_ptr info) {
    std::longjmp(Of(reinterpret_cast<j_decompress_ptr>(info)).escape, 1);
}

// libjpeg writes its errors and warnings to stderr unless told otherwise.
void Silently(j_common_ptr) {}

// Warnings about the image data itself (it stops early, holds codes that mean
// nothing, loses its restart markers) end the load: the decoder would fill
// the rest with grey. Warnings about the rest of the file (extra bytes between
// segments, odd markers) are common in good photos and pass.
void OnWarning(j_common_ptr info, int level) {
    if (level >= 0) return;  // tracing, switched off
    const int code = info->err->msg_code;
    if (code == JWRN_HIT_MARKER || code == JWRN_HUFF_BAD_CODE || code == JWRN_MUST_RESYNC || code == JWRN_JPEG_EOF) {
        EscapeOnError(info);
    }
}

void CountScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) EscapeOnError(info);
}

void StartSource(j_decompress_ptr) {}
void EndSource(j_decompress_ptr) {}

boolean FillInput(j_decompress_ptr info) {
    JpegDecode& d = Of(info);
    size_t got = d.read(d.input.data(), d.input.size());
    if (got == 0) {
        // An end marker lets the decoder stop where the file stops; the
        // picture is refused afterwards.
        d.ranOut = true;
        d.input[0] = 0xFF;
        d.input[1] = JPEG_EOI;
        got = 2;
    }
    info->src->next_input_byte = d.input.data();
    info->src->bytes_in_buffer = got;
    return TRUE;
}

void SkipInput(j_decompress_ptr info, long count) {
    jpeg_source_mgr& source = *info->src;
    while (count > static_cast<long>(source.bytes_in_buffer)) {
        count -= static_cast<long>(source.bytes_in_buffer);
        FillInput(info);
        if (Of(info).ranOut) return;
    }
    if (count <= 0) return;
    source.next_input_byte += count;
    source.bytes_in_buffer -= static_cast<size_t>(count);
}

bool ReadHeader(JpegDecode& d) {
    jpeg_decompress_struct& info = d.info;
    info.err = jpeg_std_error(&d.errors);
    d.errors.error_exit = EscapeOnError;
    d.errors.output_message = Silently;
    d.errors.emit_message = OnWarning;
    info.client_data = &d;
    return Guarded(d, [&] {
        jpeg_create_decompress(&info);
        d.source.init_source = StartSource;
        d.source.fill_input_buffer = FillInput;
        d.source.skip_input_data = SkipInput;
        d.source.resync_to_restart = jpeg_resync_to_restart;
        d.source.term_source = EndSource;
        info.src = &d.source;
        d.progress.progress_monitor = CountScans;
        info.progress = &d.progress;
        jpeg_save_markers(&info, kExifMarker, 0xFFFF);
        return jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK && !d.ranOut;
    });
}

bool Inks(J_COLOR_SPACE space) {
    return space == JCS_CMYK || space == JCS_YCCK;
}

// Ink to light. Adobe's programs store ink inverted (255 for none), and
// nearly every CMYK jpg comes from them; their files carry Adobe's marker.
void InksToBgra(uint8_t* pixel, int count, bool inverted) {
    for (int i = 0; i < count; ++i, pixel += 4) {
        const unsigned flip = inverted ? 0 : 255;
        const unsigned c = pixel[0] ^ flip, m = pixel[1] ^ flip, y = pixel[2] ^ flip, k = pixel[3] ^ flip;
        pixel[0] = static_cast<uint8_t>((y * k + 127) / 255);
        pixel[1] = static_cast<uint8_t>((m * k + 127) / 255);
        pixel[2] = static_cast<uint8_t>((c * k + 127) / 255);
        pixel[3] = 255;
    }
}

bool DecodeRows(JpegDecode& d, int width, int height, uint8_t* target, size_t stride) {
    jpeg_decompress_struct& info = d.info;
    const bool inks = Inks(info.jpeg_color_space);
    info.out_color_space = inks ? JCS_CMYK : JCS_EXT_BGRA;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(
        JpegScaleDenominator(static_cast<int>(info.image_width), static_cast<int>(info.image_height), width, height));
    // A progressive picture is read whole here, scan by scan.
    jpeg_start_decompress(&info);
    if (d.ranOut || info.output_components != 4) return false;
    const int decodedWidth = static_cast<int>(info.output_width), decodedHeight = static_cast<int>(info.output_height);
    if (decodedWidth < width || decodedHeight < height) return false;
    // Decoded whole at the size it is shown, the rows go straight into the
    // target. A scaled picture goes through the shrink even at that size: its
    // last column and row may stand for less than the others.
    const bool same = info.scale_denom == 1 && decodedWidth == width && decodedHeight == height;
    const size_t rowBytes = static_cast<size_t>(decodedWidth) * 4;
    if (!same) {
        d.shrink = BeginScaledAreaShrink(static_cast<int>(info.image_width), static_cast<int>(info.image_height),
                                         static_cast<int>(info.scale_denom), width, height);
        d.band.resize(rowBytes * kRowsPerBand);
    }
    d.rows.resize(kRowsPerBand);
    while (info.output_scanline < info.output_height) {
        const int top = static_cast<int>(info.output_scanline);
        const int rows = decodedHeight - top < kRowsPerBand ? decodedHeight - top : kRowsPerBand;
        for (int i = 0; i < rows; ++i) {
            d.rows[i] = same ? target + stride * static_cast<size_t>(top + i) : d.band.data() + rowBytes * i;
        }
        const int got = static_cast<int>(jpeg_read_scanlines(&info, d.rows.data(), static_cast<JDIMENSION>(rows)));
        if (got == 0 || d.ranOut) return false;
        for (int i = 0; i < got; ++i) {
            if (inks) InksToBgra(d.rows[i], decodedWidth, info.saw_Adobe_marker);
            if (!same) AddSourceRow(d.shrink, d.rows[i], target, stride);
        }
    }
    jpeg_abort_decompress(&info);
    return true;
}

}  // namespace

JpegPicture OpenJpeg(JpegRead read) {
    JpegPicture picture;
    std::unique_ptr<JpegDecode, JpegDecodeEnd> decode(new JpegDecode());
    decode->read = std::move(read);
    decode->input.resize(kInputBytes);
    if (!ReadHeader(*decode)) return picture;
    const jpeg_decompress_struct& info = decode->info;
    // Refused on the header's word, before the decoder takes memory for it.
    if (!FrameFitsLimits(info.image_width, info.image_height)) return picture;
    const J_COLOR_SPACE space = info.jpeg_color_space;
    if (space != JCS_GRAYSCALE && space != JCS_YCbCr && space != JCS_RGB && !Inks(space)) return picture;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        if (marker->marker == kExifMarker && marker->data_length >= 6 &&
            std::memcmp(marker->data, "Exif\0\0", 6) == 0) {
            picture.orientation = ExifSegmentOrientation(marker->data, marker->data_length);
            break;
        }
    }
    picture.width = static_cast<int>(info.image_width);
    picture.height = static_cast<int>(info.image_height);
    picture.decode = std::move(decode);
    return picture;
}

bool DecodeJpeg(JpegPicture& picture, int width, int height, uint8_t* target, size_t stride) {
    if (!picture.decode || width < 1 || height < 1 || width > picture.width || height > picture.height) return false;
    JpegDecode& d = *picture.decode;
    return Guarded(d, [&] { return DecodeRows(d, width, height, target, stride); });
}
