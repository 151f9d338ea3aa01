// Picture decoding: libjpeg-turbo for jpg files, WIC for every other format
// the bitmap loader does not read, and the fitted copy, area-averaged a band
// of source rows at a time.
#include "pictures/picture_decoder.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "pictures/area_shrink.h"
#include "pictures/bmp_header.h"
#include "pictures/fitting.h"
#include "pictures/frame_size.h"
#include "pictures/orientation.h"
#include "storage/file_handle.h"
#include "storage/paths.h"

namespace {

// Pictures beyond this many pixels are refused before the decoder takes
// memory for them (Wine's jpg decoder holds the whole picture).
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
    const bool passing = result == E_OUTOFMEMORY ||
                         (HRESULT_FACILITY(result) == FACILITY_WIN32 && IsPassingError(HRESULT_CODE(result)));
    return passing ? LoadOutcome::NotNow : LoadOutcome::BadFile;
}

LoadOutcome LastFailure() { return IsPassingError(GetLastError()) ? LoadOutcome::NotNow : LoadOutcome::BadFile; }

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
    file.bitmap.Reset(static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE)));
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
    PropVariantClear(&value);
    return number;
}

// A gif is its logical screen: frame 0 may be smaller and lie at an offset
// in it. The rest of the screen shows the background colour.
HRESULT ComposeGifScreen(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                         const std::vector<uint8_t>& head, ComPtr<IWICBitmapSource>& pixels) {
    if (head.size() < 13 || head[0] != 'G' || head[1] != 'I' || head[2] != 'F') return S_OK;
    const UINT screenWidth = head[6] | head[7] << 8, screenHeight = head[8] | head[9] << 8;
    UINT frameWidth = 0, frameHeight = 0;
    HRESULT result = pixels->GetSize(&frameWidth, &frameHeight);
    if (FAILED(result)) return result;
    ComPtr<IWICMetadataQueryReader> reader;
    frame->GetMetadataQueryReader(reader.Receive());
    const UINT left = QueryNumber(reader.get(), L"/imgdesc/Left"), top = QueryNumber(reader.get(), L"/imgdesc/Top");
    if (screenWidth == 0 || screenHeight == 0) return S_OK;  // no screen size: the frame alone
    if (screenWidth > kMaxPictureSide || screenHeight > kMaxPictureSide ||
        uint64_t(screenWidth) * screenHeight > kMaxPicturePixels) {
        return WINCODEC_ERR_IMAGESIZEOUTOFRANGE;
    }
    if (left == 0 && top == 0 && frameWidth == screenWidth && frameHeight == screenHeight) return S_OK;

    uint32_t background = 0xFF000000;  // opaque black without a colour table
    const bool globalTable = (head[10] & 0x80) != 0;
    const UINT backgroundIndex = head[11];
    ComPtr<IWICPalette> palette;
    if (globalTable && SUCCEEDED(factory->CreatePalette(palette.Receive())) &&
        SUCCEEDED(decoder->CopyPalette(palette.get()))) {
        WICColor colours[256] = {};
        UINT count = 0;
        if (SUCCEEDED(palette->GetColors(256, colours, &count)) && backgroundIndex < count) {
            background = colours[backgroundIndex] | 0xFF000000;
        }
    }
    ComPtr<IWICBitmap> screen;
    result = factory->CreateBitmap(screenWidth, screenHeight, GUID_WICPixelFormat32bppPBGRA, WICBitmapCacheOnLoad,
                                   screen.Receive());
    if (FAILED(result)) return result;
    WICRect whole = {0, 0, static_cast<INT>(screenWidth), static_cast<INT>(screenHeight)};
    ComPtr<IWICBitmapLock> lock;
    UINT stride = 0, bufferSize = 0;
    BYTE* data = nullptr;
    if (FAILED(result = screen->Lock(&whole, WICBitmapLockWrite, lock.Receive())) ||
        FAILED(result = lock->GetStride(&stride)) || FAILED(result = lock->GetDataPointer(&bufferSize, &data))) {
        return result;
    }
    for (UINT y = 0; y < screenHeight; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (UINT x = 0; x < screenWidth; ++x) row[x] = background;
    }
    // The frame, clipped to the screen; its transparent pixels show the background.
    const UINT width = left < screenWidth ? (frameWidth < screenWidth - left ? frameWidth : screenWidth - left) : 0;
    const UINT height = top < screenHeight ? (frameHeight < screenHeight - top ? frameHeight : screenHeight - top) : 0;
    if (width > 0 && height > 0) {
        std::vector<uint32_t> band(width);
        for (UINT y = 0; y < height; ++y) {
            const WICRect line = {0, static_cast<INT>(y), static_cast<INT>(width), 1};
            result = pixels->CopyPixels(&line, width * 4, width * 4, reinterpret_cast<BYTE*>(band.data()));
            if (FAILED(result)) return result;
            uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(top + y) * stride) + left;
            for (UINT x = 0; x < width; ++x) {
                if (band[x] >> 24) row[x] = band[x];
            }
        }
    }
    lock.Reset();
    pixels.Reset();
    return screen->QueryInterface(IID_IWICBitmapSource, pixels.ReceiveVoid());
}

// A file that starts with a jpg's start-of-image marker goes to libjpeg-turbo,
// whatever its name, and never to WIC: Wine's jpg decoder crashes on a frame
// size that lies. The file stays open for the decode.
bool IsJpeg(const PictureHead& head) {
    return head.bytes.size() >= 3 && head.bytes[0] == 0xFF && head.bytes[1] == 0xD8 && head.bytes[2] == 0xFF;
}

LoadOutcome OpenJpegFile(const char* path, PictureFile& file) {
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return LastFailure();
    std::shared_ptr<void> held(handle, CloseHandle);
    file.jpeg = OpenJpeg([held](uint8_t* buffer, size_t size) -> size_t {
        DWORD read = 0;
        return ReadFile(held.get(), buffer, static_cast<DWORD>(size), &read, nullptr) ? read : 0;
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
    HRESULT result = factory->CreateDecoderFromFilename(widePath, nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnDemand, decoder.Receive());
    if (FAILED(result)) return Failure(result);
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(result = decoder->GetFrame(0, frame.Receive()))) return Failure(result);
    UINT width = 0, height = 0;
    if (FAILED(result = frame->GetSize(&width, &height))) return Failure(result);
    if (width == 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        uint64_t(width) * height > kMaxPicturePixels) {
        return LoadOutcome::BadFile;
    }
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

// A 32-bit top-down DIB section and its pixels.
HBITMAP CreatePixels(int width, int height, uint8_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap && !pixels) {
        DeleteObject(bitmap);
        return nullptr;
    }
    *bits = static_cast<uint8_t*>(pixels);
    return bitmap;
}

// Reads `rows` stored rows from `top` into `band` (4 bytes a pixel, top row
// first). A picture whose pixels cannot be read is the file's fault, unless
// memory ran short.
LoadOutcome ReadBand(PictureFile& file, HDC dc, int top, int rows, std::vector<uint8_t>& band) {
    const size_t stride = size_t(file.storedWidth) * 4;
    if (file.pixels) {
        const WICRect rect = {0, top, file.storedWidth, rows};
        const HRESULT result = file.pixels->CopyPixels(&rect, static_cast<UINT>(stride),
                                                       static_cast<UINT>(stride * rows), band.data());
        return SUCCEEDED(result) ? LoadOutcome::Loaded : Failure(result);
    }
    // A bmp's rows through GetDIBits, which counts scan lines from the bottom.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = file.storedWidth;
    info.bmiHeader.biHeight = file.storedHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const UINT start = static_cast<UINT>(file.storedHeight - top - rows);
    // The loader's bitmap is in memory already: only memory can fail here.
    if (GetDIBits(dc, file.bitmap.get(), start, static_cast<UINT>(rows), band.data(), &info, DIB_RGB_COLORS) !=
        rows) {
        return LoadOutcome::NotNow;
    }
    for (int i = 0, j = rows - 1; i < j; ++i, --j) {
        std::swap_ranges(band.begin() + stride * i, band.begin() + stride * (i + 1), band.begin() + stride * j);
    }
    return LoadOutcome::Loaded;
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

LoadOutcome OpenPicture(IWICImagingFactory* factory, const char* path, PictureFile& file) {
    const PictureHead head = ReadPictureHead(path, kExifBytes);
    if (head.outcome != LoadOutcome::Loaded) return head.outcome;
    const LoadOutcome opened = HasExtension(path, "bmp") ? OpenBmp(path, head, file)
                               : IsJpeg(head)             ? OpenJpegFile(path, file)
                                                          : OpenWithWic(factory, path, head, file);
    if (opened != LoadOutcome::Loaded) return opened;
    const bool swap = SwapsSides(file.orientation);
    file.width = swap ? file.storedHeight : file.storedWidth;
    file.height = swap ? file.storedWidth : file.storedHeight;
    return LoadOutcome::Loaded;
}

RenderedPicture RenderPicture(PictureFile& file, int width, int height) {
    if (file.bitmap && width == file.storedWidth && height == file.storedHeight) {
        return {file.bitmap.Release(), LoadOutcome::Loaded};
    }
    // Shrunk in stored orientation, then turned upright: turning commutes
    // with area averaging, and the shrunk copy is the small one.
    const bool swap = SwapsSides(file.orientation);
    const bool turned = file.orientation != 1;
    const int shrunkWidth = swap ? height : width, shrunkHeight = swap ? width : height;
    uint8_t* bits = nullptr;
    OwnedBitmap shrunk(CreatePixels(shrunkWidth, shrunkHeight, &bits));
    if (!shrunk) return {nullptr, LoadOutcome::NotNow};
    const size_t shrunkStride = size_t(shrunkWidth) * 4;

    HDC screen = file.bitmap ? GetDC(nullptr) : nullptr;
    const bool same = shrunkWidth == file.storedWidth && shrunkHeight == file.storedHeight;
    // A jpg is scaled and shrunk by its own decoder, straight into the copy.
    const bool jpeg = file.jpeg.decode != nullptr;
    AreaShrink shrink;
    if (!same && !jpeg) shrink = BeginAreaShrink(file.storedWidth, file.storedHeight, shrunkWidth, shrunkHeight);
    std::vector<uint8_t> band;
    // A damaged jpg is the file's fault.
    LoadOutcome read =
        !jpeg || DecodeJpeg(file.jpeg, shrunkWidth, shrunkHeight, bits, shrunkStride) ? LoadOutcome::Loaded
                                                                                       : LoadOutcome::BadFile;
    for (int top = 0; read == LoadOutcome::Loaded && !jpeg && top < file.storedHeight;
         top += static_cast<int>(kRowsPerBand)) {
        const int rows = file.storedHeight - top < static_cast<int>(kRowsPerBand) ? file.storedHeight - top
                                                                                   : static_cast<int>(kRowsPerBand);
        if (same) {
            // At its own size the rows go straight into the copy.
            const WICRect rect = {0, top, shrunkWidth, rows};
            const HRESULT result =
                file.pixels ? file.pixels->CopyPixels(&rect, static_cast<UINT>(shrunkStride),
                                                      static_cast<UINT>(shrunkStride * rows), bits + shrunkStride * top)
                            : E_FAIL;
            if (FAILED(result)) read = Failure(result);
            continue;
        }
        band.resize(size_t(file.storedWidth) * 4 * rows);
        read = ReadBand(file, screen, top, rows, band);
        for (int y = 0; read == LoadOutcome::Loaded && y < rows; ++y) {
            AddSourceRow(shrink, band.data() + size_t(file.storedWidth) * 4 * y, bits, shrunkStride);
        }
    }
    if (screen) ReleaseDC(nullptr, screen);
    if (read != LoadOutcome::Loaded) return {nullptr, read};
    if (!turned) {
        GdiFlush();
        return {shrunk.Release(), LoadOutcome::Loaded};
    }

    uint8_t* uprightBits = nullptr;
    HBITMAP upright = CreatePixels(width, height, &uprightBits);
    if (!upright) return {nullptr, LoadOutcome::NotNow};
    GdiFlush();
    const uint32_t* from = reinterpret_cast<const uint32_t*>(bits);
    uint32_t* to = reinterpret_cast<uint32_t*>(uprightBits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelPosition p = StoredPosition(file.orientation, x, y, width, height);
            to[size_t(y) * width + x] = from[size_t(p.y) * shrunkWidth + p.x];
        }
    }
    return {upright, LoadOutcome::Loaded};
}
