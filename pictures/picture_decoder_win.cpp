// Picture decoding: libjpeg-turbo for jpg files, WIC for every other format
// the bitmap loader does not read, and the fitted copy, area-averaged a band
// of source rows at a time.
#include "pictures/picture_decoder_win.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "pictures/area_shrink.h"
#include "pictures/bmp_header.h"
#include "pictures/fitting.h"
#include "pictures/frame_size.h"
#include "pictures/orientation.h"
#include "pictures/picture_limits.h"
#include "platform/file_handle_win.h"
#include "platform/paths.h"

namespace {

// Stored rows read at a time while a picture is shrunk or copied: no second
// copy of the whole stored picture is made (a 12-megapixel one would take
// 48 MB), and a band of the widest picture takes at most 8 MB.
constexpr UINT kRowsPerBand = 64;
// The Exif block is an APP1 segment, at most 64 KB, near the file's start.
constexpr DWORD kExifBytes = 65536 + 4096;

// Errors that say nothing against the file: another program holds it, or
// memory or handles ran short. The file may open at the next try.
bool IsPassingError(DWORD error) {
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
    case ERROR_NO_SYSTEM_RESOURCES:
    case ERROR_COMMITMENT_LIMIT:
    case ERROR_TOO_MANY_OPEN_FILES:
        return true;
    default:
        return false;
    }
}

LoadOutcome Failure(HRESULT result) {
    const bool passing =
        result == E_OUTOFMEMORY || (HRESULT_FACILITY(result) == FACILITY_WIN32 && IsPassingError(HRESULT_CODE(result)));
    return passing ? LoadOutcome::NotNow : LoadOutcome::BadFile;
}

LoadOutcome LastFailure() {
    return IsPassingError(GetLastError()) ? LoadOutcome::NotNow : LoadOutcome::BadFile;
}

// The file's first bytes and its size, read before any decoder sees it.
struct PictureHead {
    LoadOutcome outcome = LoadOutcome::BadFile;  // Loaded once read and found acceptable
    std::vector<uint8_t> bytes;
    uint64_t fileSize = 0;
};

// The frame size the header declares, read from `head` where it reaches and
// from the file beyond it, a window at a time.
FrameSize DeclaredFrameSize(HANDLE file, const std::vector<uint8_t>& head, uint64_t fileSize) {
    constexpr size_t kWindowBytes = 65536;
    std::vector<char> window;
    uint64_t windowStart = 0;
    return ReadFrameSize([&](uint64_t offset, size_t size) -> std::string_view {
        if (offset >= fileSize) return {};
        if (offset + size <= head.size()) return {reinterpret_cast<const char*>(head.data()) + offset, size};
        if (window.empty() || offset < windowStart || offset + size > windowStart + window.size()) {
            LARGE_INTEGER at;
            at.QuadPart = static_cast<LONGLONG>(offset);
            window.resize(kWindowBytes);
            DWORD got = 0;
            if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) ||
                !ReadFile(file, window.data(), static_cast<DWORD>(window.size()), &got, nullptr)) {
                got = 0;
            }
            window.resize(got);
            windowStart = offset;
        }
        const size_t from = static_cast<size_t>(offset - windowStart);
        return std::string_view(window.data(), window.size()).substr(from, size);
    });
}

PictureHead ReadPictureHead(const char* path, DWORD size) {
    PictureHead head;
    const FileHandle file = OpenDiskFile(path, FILE_SHARE_READ);
    if (!file.Valid()) {
        head.outcome = LastFailure();
        return head;
    }
    LARGE_INTEGER fileSize = {};
    head.bytes.resize(size);
    DWORD got = 0;
    if (!GetFileSizeEx(file.get(), &fileSize) || !ReadFile(file.get(), head.bytes.data(), size, &got, nullptr)) {
        head.outcome = LastFailure();
        return head;
    }
    head.bytes.resize(got);
    head.fileSize = static_cast<uint64_t>(fileSize.QuadPart);
    // A few bytes can declare a frame of billions of pixels, and a decoder
    // takes the memory for it as soon as it opens the file: the size is
    // checked first, from the file's own header.
    const FrameSize frame = DeclaredFrameSize(file.get(), head.bytes, head.fileSize);
    const bool refused = frame.read == FrameSize::Read::Damaged ||
                         (frame.read == FrameSize::Read::Size && !FrameFitsLimits(frame.width, frame.height));
    head.outcome = refused ? LoadOutcome::BadFile : LoadOutcome::Loaded;
    return head;
}

LoadOutcome OpenBmp(const char* path, const PictureHead& head, PictureFile& file) {
    // The bitmap loader reads wherever a bmp's headers point, past the end of
    // the file too: a damaged file is refused before it gets there.
    const std::string_view bytes(reinterpret_cast<const char*>(head.bytes.data()), head.bytes.size());
    if (!BmpHeadersFitFile(bytes.substr(0, kBmpHeadBytes), head.fileSize)) return LoadOutcome::BadFile;
    file.bitmap.Reset(
        static_cast<HBITMAP>(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE)));
    if (!file.bitmap) return LastFailure();
    BITMAP info = {};
    if (!GetObjectA(file.bitmap.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) {
        return LoadOutcome::BadFile;
    }
    file.storedWidth = info.bmWidth;
    file.storedHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return LoadOutcome::Loaded;
}

UINT QueryNumber(IWICMetadataQueryReader* reader, const wchar_t* name) {
    PROPVARIANT value;
    PropVariantInit(&value);
    UINT number = 0;
    if (reader && SUCCEEDED(reader->GetMetadataByName(name, &value))) {
        if (value.vt == VT_UI2) number = value.uiVal;
        if (value.vt == VT_UI4) number = value.ulVal;
    }
    PropVariantClear(&value);  // refuses only types it does not know, and the reader gives none
    return number;
}

// The colour the screen shows around and under a gif's first frame: the
// global colour table's background entry, opaque black without one.
uint32_t GifBackground(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, const GifScreen& screen) {
    ComPtr<IWICPalette> palette;
    WICColor colours[256] = {};
    UINT count = 0;
    if (screen.colourTableBytes > 0 && SUCCEEDED(factory->CreatePalette(palette.Receive())) &&
        SUCCEEDED(decoder->CopyPalette(palette.get())) && SUCCEEDED(palette->GetColors(256, colours, &count)) &&
        screen.backgroundIndex < count) {
        return colours[screen.backgroundIndex] | 0xFF000000;
    }
    return 0xFF000000;
}

// Copies the part of `frame` that lies on the screen, its top left at
// (left, top), onto the screen's pixels; its transparent pixels show what
// is under them.
HRESULT DrawGifFrame(IWICBitmapSource* frame, UINT left, UINT top, const GifScreen& screen, BYTE* data, UINT stride) {
    UINT frameWidth = 0, frameHeight = 0;
    HRESULT result = frame->GetSize(&frameWidth, &frameHeight);
    if (FAILED(result) || left >= screen.width || top >= screen.height) return result;
    const UINT width = std::min(frameWidth, screen.width - left), height = std::min(frameHeight, screen.height - top);
    std::vector<uint32_t> band(width);
    for (UINT y = 0; y < height; ++y) {
        const WICRect line = {0, static_cast<INT>(y), static_cast<INT>(width), 1};
        result = frame->CopyPixels(&line, width * 4, width * 4, reinterpret_cast<BYTE*>(band.data()));
        if (FAILED(result)) return result;
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(top + y) * stride) + left;
        for (UINT x = 0; x < width; ++x) {
            if (band[x] >> 24) row[x] = band[x];
        }
    }
    return S_OK;
}

// A gif is its logical screen: frame 0 may be smaller and lie at an offset
// in it. The rest of the screen shows the background colour.
HRESULT ComposeGifScreen(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                         const std::vector<uint8_t>& head, ComPtr<IWICBitmapSource>& pixels) {
    const GifScreen screen = ReadGifScreen(std::string_view(reinterpret_cast<const char*>(head.data()), head.size()));
    UINT frameWidth = 0, frameHeight = 0;
    HRESULT result = screen.read ? pixels->GetSize(&frameWidth, &frameHeight) : S_OK;
    if (!screen.read || FAILED(result)) return result;
    ComPtr<IWICMetadataQueryReader> reader;
    frame->GetMetadataQueryReader(reader.Receive());  // without a reader the frame lies at the top left
    const UINT left = QueryNumber(reader.get(), L"/imgdesc/Left"), top = QueryNumber(reader.get(), L"/imgdesc/Top");
    if (screen.width == 0 || screen.height == 0) return S_OK;  // no screen size: the frame alone
    if (!FrameFitsLimits(screen.width, screen.height)) return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    if (left == 0 && top == 0 && frameWidth == screen.width && frameHeight == screen.height) return S_OK;

    ComPtr<IWICBitmap> composed;
    result = factory->CreateBitmap(screen.width, screen.height, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad,
                                   composed.Receive());
    if (FAILED(result)) return result;
    WICRect whole = {0, 0, static_cast<INT>(screen.width), static_cast<INT>(screen.height)};
    ComPtr<IWICBitmapLock> lock;
    UINT stride = 0, bufferSize = 0;
    BYTE* data = nullptr;
    if (FAILED(result = composed->Lock(&whole, WICBitmapLockWrite, lock.Receive())) ||
        FAILED(result = lock->GetStride(&stride)) || FAILED(result = lock->GetDataPointer(&bufferSize, &data))) {
        return result;
    }
    const uint32_t background = GifBackground(factory, decoder, screen);
    for (UINT y = 0; y < screen.height; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        std::fill(row, row + screen.width, background);
    }
    if (FAILED(result = DrawGifFrame(pixels.get(), left, top, screen, data, stride))) return result;
    lock.Reset();
    pixels.Reset();
    return composed->QueryInterface(IID_IWICBitmapSource, pixels.ReceiveVoid());
}

// A file that starts with a jpg's start-of-image marker goes to libjpeg-turbo,
// whatever its name but .bmp, and never to WIC: Wine's jpg decoder crashes on a frame
// size that lies. The file stays open for the decode.
bool IsJpeg(const PictureHead& head) {
    return head.bytes.size() >= 3 && head.bytes[0] == 0xFF && head.bytes[1] == 0xD8 && head.bytes[2] == 0xFF;
}

LoadOutcome OpenJpegFile(const char* path, PictureFile& file) {
    auto held = std::make_shared<FileHandle>(OpenDiskFile(path, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN));
    if (!held->Valid()) return LastFailure();
    file.jpeg = OpenJpeg([held](uint8_t* buffer, size_t size) -> size_t {
        DWORD read = 0;
        return ReadFile(held->get(), buffer, static_cast<DWORD>(size), &read, nullptr) ? read : 0;
    });
    if (!file.jpeg.decode) return LoadOutcome::BadFile;
    file.storedWidth = file.jpeg.width;
    file.storedHeight = file.jpeg.height;
    file.orientation = file.jpeg.orientation;
    return LoadOutcome::Loaded;
}

LoadOutcome OpenWithWic(IWICImagingFactory* factory, const char* path, const PictureHead& head, PictureFile& file) {
    if (!factory) return LoadOutcome::NotNow;
    wchar_t widePath[kPathSize];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathSize)) return LoadOutcome::BadFile;

    ComPtr<IWICBitmapDecoder> decoder;
    HRESULT result = factory->CreateDecoderFromFilename(widePath, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                        decoder.Receive());
    if (FAILED(result)) return Failure(result);
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(result = decoder->GetFrame(0, frame.Receive()))) return Failure(result);
    UINT width = 0, height = 0;
    if (FAILED(result = frame->GetSize(&width, &height))) return Failure(result);
    if (!FrameFitsLimits(width, height)) return LoadOutcome::BadFile;
    // Converted through the factory: the program imports nothing of WIC's DLL.
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(result = factory->CreateFormatConverter(converter.Receive())) ||
        FAILED(result = converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                              nullptr, 0.0, WICBitmapPaletteTypeCustom)) ||
        FAILED(result = converter->QueryInterface(IID_IWICBitmapSource, file.pixels.ReceiveVoid())) ||
        FAILED(result = ComposeGifScreen(factory, decoder.get(), frame.get(), head.bytes, file.pixels)) ||
        FAILED(result = file.pixels->GetSize(&width, &height))) {
        return Failure(result);
    }
    if (width == 0 || height == 0) return LoadOutcome::BadFile;
    file.storedWidth = static_cast<int>(width);
    file.storedHeight = static_cast<int>(height);
    file.orientation = ExifOrientation(head.bytes.data(), head.bytes.size());
    return LoadOutcome::Loaded;
}

// A 32-bit top-down DIB section and its pixels; no bitmap when there is no memory for it.
struct Pixels {
    OwnedBitmap bitmap;
    uint8_t* bits = nullptr;
};

Pixels CreatePixels(int width, int height) {
    const BITMAPINFO info = Dib32Info(width, -height);
    void* bits = nullptr;
    Pixels pixels;
    pixels.bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bits) pixels.bitmap.Reset();
    pixels.bits = static_cast<uint8_t*>(bits);
    return pixels;
}

// Reads `rows` stored rows from `top` into `band` (4 bytes a pixel, top row
// first). A picture whose pixels cannot be read is the file's fault, unless
// memory ran short.
LoadOutcome ReadBand(PictureFile& file, HDC dc, int top, int rows, std::vector<uint8_t>& band) {
    const size_t stride = size_t(file.storedWidth) * 4;
    if (file.pixels) {
        const WICRect rect = {0, top, file.storedWidth, rows};
        const HRESULT result =
            file.pixels->CopyPixels(&rect, static_cast<UINT>(stride), static_cast<UINT>(stride * rows), band.data());
        return SUCCEEDED(result) ? LoadOutcome::Loaded : Failure(result);
    }
    // A bmp's rows through GetDIBits, which counts scan lines from the bottom.
    BITMAPINFO info = Dib32Info(file.storedWidth, file.storedHeight);
    const UINT start = static_cast<UINT>(file.storedHeight - top - rows);
    // The loader's bitmap is in memory already: only memory can fail here.
    if (GetDIBits(dc, file.bitmap.get(), start, static_cast<UINT>(rows), band.data(), &info, DIB_RGB_COLORS) != rows) {
        return LoadOutcome::NotNow;
    }
    for (int i = 0, j = rows - 1; i < j; ++i, --j) {
        std::swap_ranges(band.begin() + stride * i, band.begin() + stride * (i + 1), band.begin() + stride * j);
    }
    return LoadOutcome::Loaded;
}

// The rows from `top` on that one band takes.
int BandRows(const PictureFile& file, int top) {
    return std::min(file.storedHeight - top, static_cast<int>(kRowsPerBand));
}

// A picture at its own size: its rows straight into `bits`, a band at a time.
LoadOutcome CopyRows(PictureFile& file, uint8_t* bits, size_t stride) {
    if (!file.pixels) return Failure(E_FAIL);
    for (int top = 0; top < file.storedHeight; top += BandRows(file, top)) {
        const int rows = BandRows(file, top);
        const WICRect rect = {0, top, file.storedWidth, rows};
        const HRESULT result = file.pixels->CopyPixels(&rect, static_cast<UINT>(stride),
                                                       static_cast<UINT>(stride * rows), bits + stride * top);
        if (FAILED(result)) return Failure(result);
    }
    return LoadOutcome::Loaded;
}

// The stored picture area-averaged into `bits` (width x height), a band of
// rows at a time.
LoadOutcome ShrinkRows(PictureFile& file, uint8_t* bits, int width, int height) {
    const size_t stride = size_t(width) * 4, sourceStride = size_t(file.storedWidth) * 4;
    AreaShrink shrink = BeginAreaShrink(file.storedWidth, file.storedHeight, width, height);
    // GetDIBits reads a bmp's rows through a DC; the decoders need none.
    std::optional<WindowDc> screen;
    if (file.bitmap) screen.emplace();
    std::vector<uint8_t> band;
    LoadOutcome read = LoadOutcome::Loaded;
    for (int top = 0; read == LoadOutcome::Loaded && top < file.storedHeight; top += BandRows(file, top)) {
        const int rows = BandRows(file, top);
        band.resize(sourceStride * rows);
        read = ReadBand(file, screen ? screen->get() : nullptr, top, rows, band);
        for (int y = 0; read == LoadOutcome::Loaded && y < rows; ++y) {
            AddSourceRow(shrink, band.data() + sourceStride * y, bits, stride);
        }
    }
    return read;
}

// The picture, still in stored orientation, at width x height in `bits`. A
// jpg is scaled and shrunk by its own decoder; a damaged one is the file's
// fault.
LoadOutcome FillShrunk(PictureFile& file, uint8_t* bits, int width, int height) {
    if (file.jpeg.decode) {
        return DecodeJpeg(file.jpeg, width, height, bits, size_t(width) * 4) ? LoadOutcome::Loaded
                                                                             : LoadOutcome::BadFile;
    }
    if (width == file.storedWidth && height == file.storedHeight) return CopyRows(file, bits, size_t(width) * 4);
    return ShrinkRows(file, bits, width, height);
}

// The shrunk picture in stored orientation turned upright, width x height.
void TurnUpright(int orientation, const uint8_t* shrunk, uint8_t* upright, int width, int height) {
    const int shrunkWidth = SwapsSides(orientation) ? height : width;
    const uint32_t* from = reinterpret_cast<const uint32_t*>(shrunk);
    uint32_t* to = reinterpret_cast<uint32_t*>(upright);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelPosition p = StoredPosition(orientation, x, y, width, height);
            to[size_t(y) * width + x] = from[size_t(p.y) * shrunkWidth + p.x];
        }
    }
}

}  // namespace

ComPtr<IWICImagingFactory> CreateWicFactory() {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                                IID_IWICImagingFactory, factory.ReceiveVoid()))) {
        factory.Reset();
    }
    return factory;
}

OpenedPicture OpenPicture(IWICImagingFactory* factory, const char* path) {
    OpenedPicture opened;
    const PictureHead head = ReadPictureHead(path, kExifBytes);
    if (head.outcome != LoadOutcome::Loaded) {
        opened.outcome = head.outcome;
        return opened;
    }
    // Each reader fills in what its format tells of the picture being opened.
    PictureFile& file = opened.file;
    opened.outcome = HasExtension(path, "bmp") ? OpenBmp(path, head, file)
                     : IsJpeg(head)            ? OpenJpegFile(path, file)
                                               : OpenWithWic(factory, path, head, file);
    if (opened.outcome != LoadOutcome::Loaded) return opened;
    const bool swap = SwapsSides(file.orientation);
    file.width = swap ? file.storedHeight : file.storedWidth;
    file.height = swap ? file.storedWidth : file.storedHeight;
    return opened;
}

RenderedPicture RenderPicture(PictureFile& file, int width, int height) {
    if (file.bitmap && width == file.storedWidth && height == file.storedHeight) {
        return {std::move(file.bitmap), LoadOutcome::Loaded};
    }
    // Shrunk in stored orientation, then turned upright: turning commutes
    // with area averaging, and the shrunk copy is the small one.
    const bool swap = SwapsSides(file.orientation);
    const int shrunkWidth = swap ? height : width, shrunkHeight = swap ? width : height;
    Pixels shrunk = CreatePixels(shrunkWidth, shrunkHeight);
    if (!shrunk.bitmap) return {OwnedBitmap(), LoadOutcome::NotNow};
    const LoadOutcome read = FillShrunk(file, shrunk.bits, shrunkWidth, shrunkHeight);
    if (read != LoadOutcome::Loaded) return {OwnedBitmap(), read};
    // GDI is done with the pixels before they are handed on or read. Its
    // answer tells of drawing batched before, not of these pixels.
    if (file.orientation == 1) {
        GdiFlush();
        return {std::move(shrunk.bitmap), LoadOutcome::Loaded};
    }
    Pixels upright = CreatePixels(width, height);
    if (!upright.bitmap) return {OwnedBitmap(), LoadOutcome::NotNow};
    GdiFlush();
    TurnUpright(file.orientation, shrunk.bits, upright.bits, width, height);
    return {std::move(upright.bitmap), LoadOutcome::Loaded};
}
