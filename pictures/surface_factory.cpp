// Picture decoding: libjpeg-turbo for jpg files, WIC for every other format
// the bitmap loader does not read, and the fitted copy, area-averaged a band
// of source rows at a time.
#include "pictures/surface_factory.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/list_editor.h"
#include "pictures/area_shrink.h"
#include "pictures/bmp_header.h"
#include "pictures/fitting.h"
#include "pictures/orientation.h"

namespace {

// Pictures beyond this many pixels are refused before the decoder takes
// memory for them (Wine's jpg decoder holds the whole picture).
constexpr UINT kRowsPerBand = 64;
// The Exif block is an APP1 segment, at most 64 KB, near the file's start.
constexpr DWORD kExifBytes = 65536 + 4096;

bool ReadHead(const char* path, std::vector<uint8_t>& head, DWORD size) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    head.resize(size);
    DWORD got = 0;
    const bool read = ReadFile(file, head.data(), size, &got, nullptr);
    CloseHandle(file);
    head.resize(read ? got : 0);
    return read;
}

// The bitmap loader reads wherever a bmp's headers point, past the end of
// the file too: a damaged file is refused before it gets there.
bool BmpFitsFile(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size = {};
    char head[kBmpHeadBytes];
    DWORD got = 0;
    const bool read = GetFileSizeEx(file, &size) && ReadFile(file, head, sizeof head, &got, nullptr);
    CloseHandle(file);
    return read && BmpHeadersFitFile(std::string_view(head, got), static_cast<uint64_t>(size.QuadPart));
}

bool OpenBmp(const char* path, PictureFile& file) {
    if (!BmpFitsFile(path)) return false;
    file.bitmap.Reset(static_cast<HBITMAP>(
        LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE)));
    BITMAP info = {};
    if (!file.bitmap || !GetObjectA(file.bitmap.get(), sizeof info, &info) || info.bmWidth <= 0 ||
        info.bmHeight == 0) {
        return false;
    }
    file.storedWidth = info.bmWidth;
    file.storedHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    return true;
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
bool ComposeGifScreen(IWICImagingFactory* factory, IWICBitmapDecoder* decoder, IWICBitmapFrameDecode* frame,
                      const std::vector<uint8_t>& head, ComPtr<IWICBitmapSource>& pixels) {
    if (head.size() < 13 || head[0] != 'G' || head[1] != 'I' || head[2] != 'F') return true;
    const UINT screenWidth = head[6] | head[7] << 8, screenHeight = head[8] | head[9] << 8;
    UINT frameWidth = 0, frameHeight = 0;
    if (FAILED(pixels->GetSize(&frameWidth, &frameHeight))) return false;
    ComPtr<IWICMetadataQueryReader> reader;
    frame->GetMetadataQueryReader(reader.Receive());
    const UINT left = QueryNumber(reader.get(), L"/imgdesc/Left"), top = QueryNumber(reader.get(), L"/imgdesc/Top");
    if (screenWidth == 0 || screenHeight == 0) return true;  // no screen size: the frame alone
    if (screenWidth > kMaxPictureSide || screenHeight > kMaxPictureSide ||
        uint64_t(screenWidth) * screenHeight > kMaxPicturePixels) {
        return false;
    }
    if (left == 0 && top == 0 && frameWidth == screenWidth && frameHeight == screenHeight) return true;

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
    if (FAILED(factory->CreateBitmap(screenWidth, screenHeight, GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapCacheOnLoad, screen.Receive()))) {
        return false;
    }
    WICRect whole = {0, 0, static_cast<INT>(screenWidth), static_cast<INT>(screenHeight)};
    ComPtr<IWICBitmapLock> lock;
    UINT stride = 0, bufferSize = 0;
    BYTE* data = nullptr;
    if (FAILED(screen->Lock(&whole, WICBitmapLockWrite, lock.Receive())) || FAILED(lock->GetStride(&stride)) ||
        FAILED(lock->GetDataPointer(&bufferSize, &data))) {
        return false;
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
            if (FAILED(pixels->CopyPixels(&line, width * 4, width * 4, reinterpret_cast<BYTE*>(band.data())))) {
                return false;
            }
            uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(top + y) * stride) + left;
            for (UINT x = 0; x < width; ++x) {
                if (band[x] >> 24) row[x] = band[x];
            }
        }
    }
    lock.Reset();
    pixels.Reset();
    return SUCCEEDED(screen->QueryInterface(IID_IWICBitmapSource, pixels.ReceiveVoid()));
}

enum class JpegOpen { NotJpeg, Opened, Refused };

// A file that opens with a jpg's start-of-image marker goes to libjpeg-turbo,
// whatever its name, and never to WIC: Wine's jpg decoder crashes on a frame
// size that lies. The file stays open for the decode.
JpegOpen OpenJpegFile(const char* path, PictureFile& file) {
    HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    // What cannot be opened here is left to WIC, which tells the same failure.
    if (handle == INVALID_HANDLE_VALUE) return JpegOpen::NotJpeg;
    std::shared_ptr<void> held(handle, CloseHandle);
    uint8_t start[3] = {};
    DWORD got = 0;
    if (!ReadFile(handle, start, sizeof start, &got, nullptr) || got != sizeof start || start[0] != 0xFF ||
        start[1] != 0xD8 || start[2] != 0xFF || SetFilePointer(handle, 0, nullptr, FILE_BEGIN) != 0) {
        return JpegOpen::NotJpeg;
    }
    file.jpeg = OpenJpeg([held](uint8_t* buffer, size_t size) -> size_t {
        DWORD read = 0;
        return ReadFile(held.get(), buffer, static_cast<DWORD>(size), &read, nullptr) ? read : 0;
    });
    if (!file.jpeg.decode) return JpegOpen::Refused;
    file.storedWidth = file.jpeg.width;
    file.storedHeight = file.jpeg.height;
    file.orientation = file.jpeg.orientation;
    return JpegOpen::Opened;
}

bool OpenWithWic(IWICImagingFactory* factory, const char* path, PictureFile& file) {
    if (!factory) return false;
    wchar_t widePath[kPathSize];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, kPathSize)) return false;
    std::vector<uint8_t> head;
    if (!ReadHead(path, head, kExifBytes)) return false;

    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(widePath, nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Receive()))) {
        return false;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Receive()))) return false;
    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxPictureSide ||
        height > kMaxPictureSide || uint64_t(width) * height > kMaxPicturePixels) {
        return false;
    }
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), file.pixels.Receive()))) {
        return false;
    }
    if (!ComposeGifScreen(factory, decoder.get(), frame.get(), head, file.pixels)) return false;
    if (FAILED(file.pixels->GetSize(&width, &height)) || width == 0 || height == 0) return false;
    file.storedWidth = static_cast<int>(width);
    file.storedHeight = static_cast<int>(height);
    file.orientation = ExifOrientation(head.data(), head.size());
    return true;
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

// Reads `rows` stored rows from `top` into `band` (4 bytes a pixel, top row first).
bool ReadBand(PictureFile& file, HDC dc, int top, int rows, std::vector<uint8_t>& band) {
    const size_t stride = size_t(file.storedWidth) * 4;
    if (file.pixels) {
        const WICRect rect = {0, top, file.storedWidth, rows};
        return SUCCEEDED(file.pixels->CopyPixels(&rect, static_cast<UINT>(stride), static_cast<UINT>(stride * rows),
                                                 band.data()));
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
    if (GetDIBits(dc, file.bitmap.get(), start, static_cast<UINT>(rows), band.data(), &info, DIB_RGB_COLORS) !=
        rows) {
        return false;
    }
    for (int i = 0, j = rows - 1; i < j; ++i, --j) {
        std::swap_ranges(band.begin() + stride * i, band.begin() + stride * (i + 1), band.begin() + stride * j);
    }
    return true;
}

}  // namespace

HRESULT CreateSurfaceFactory(ComPtr<IWICImagingFactory>& factory) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                            IID_IWICImagingFactory, factory.ReceiveVoid());
}

bool OpenPicture(IWICImagingFactory* factory, const char* path, PictureFile& file) {
    const bool bmp = HasExtension(path, "bmp");
    const JpegOpen jpeg = bmp ? JpegOpen::NotJpeg : OpenJpegFile(path, file);
    if (jpeg == JpegOpen::Refused) return false;
    const bool opened = jpeg == JpegOpen::Opened || (bmp ? OpenBmp(path, file) : OpenWithWic(factory, path, file));
    if (!opened) return false;
    const bool swap = SwapsSides(file.orientation);
    file.width = swap ? file.storedHeight : file.storedWidth;
    file.height = swap ? file.storedWidth : file.storedHeight;
    return true;
}

HBITMAP RenderPicture(PictureFile& file, int width, int height) {
    if (file.bitmap && width == file.storedWidth && height == file.storedHeight) return file.bitmap.Release();
    // Shrunk in stored orientation, then turned upright: turning commutes
    // with area averaging, and the shrunk copy is the small one.
    const bool swap = SwapsSides(file.orientation);
    const bool turned = file.orientation != 1;
    const int shrunkWidth = swap ? height : width, shrunkHeight = swap ? width : height;
    uint8_t* bits = nullptr;
    OwnedBitmap shrunk(CreatePixels(shrunkWidth, shrunkHeight, &bits));
    if (!shrunk) return nullptr;
    const size_t shrunkStride = size_t(shrunkWidth) * 4;

    HDC screen = file.bitmap ? GetDC(nullptr) : nullptr;
    const bool same = shrunkWidth == file.storedWidth && shrunkHeight == file.storedHeight;
    // A jpg is scaled and shrunk by its own decoder, straight into the copy.
    const bool jpeg = file.jpeg.decode != nullptr;
    AreaShrink shrink;
    if (!same && !jpeg) shrink = BeginAreaShrink(file.storedWidth, file.storedHeight, shrunkWidth, shrunkHeight);
    std::vector<uint8_t> band;
    bool ok = !jpeg || DecodeJpeg(file.jpeg, shrunkWidth, shrunkHeight, bits, shrunkStride);
    for (int top = 0; ok && !jpeg && top < file.storedHeight; top += static_cast<int>(kRowsPerBand)) {
        const int rows = file.storedHeight - top < static_cast<int>(kRowsPerBand) ? file.storedHeight - top
                                                                                   : static_cast<int>(kRowsPerBand);
        if (same) {
            // At its own size the rows go straight into the copy.
            const WICRect rect = {0, top, shrunkWidth, rows};
            ok = file.pixels && SUCCEEDED(file.pixels->CopyPixels(&rect, static_cast<UINT>(shrunkStride),
                                                                  static_cast<UINT>(shrunkStride * rows),
                                                                  bits + shrunkStride * top));
            continue;
        }
        band.resize(size_t(file.storedWidth) * 4 * rows);
        ok = ReadBand(file, screen, top, rows, band);
        for (int y = 0; ok && y < rows; ++y) {
            AddSourceRow(shrink, band.data() + size_t(file.storedWidth) * 4 * y, bits, shrunkStride);
        }
    }
    if (screen) ReleaseDC(nullptr, screen);
    if (!ok) return nullptr;
    if (!turned) {
        GdiFlush();
        return shrunk.Release();
    }

    uint8_t* uprightBits = nullptr;
    HBITMAP upright = CreatePixels(width, height, &uprightBits);
    if (!upright) return nullptr;
    GdiFlush();
    const uint32_t* from = reinterpret_cast<const uint32_t*>(bits);
    uint32_t* to = reinterpret_cast<uint32_t*>(uprightBits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const PixelPosition p = StoredPosition(file.orientation, x, y, width, height);
            to[size_t(y) * width + x] = from[size_t(p.y) * shrunkWidth + p.x];
        }
    }
    return upright;
}
