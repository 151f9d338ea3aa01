// Picture decoding through WIC, for every format the bitmap loader does not read.
#include "pictures/surface_factory.h"

#include <cstdint>
#include <vector>

#include "app/com_ptr.h"
#include "app/game_state.h"

namespace {

// Pictures beyond this many pixels (512 MB of 32-bit pixels) are refused
// before any memory is taken for them.
constexpr uint64_t kMaxPixels = uint64_t(1) << 27;
constexpr UINT kMaxPictureSide = 32767;
constexpr UINT kRowsPerBand = 256;

}  // namespace

HRESULT CreateSurfaceFactory() {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                            IID_IWICImagingFactory, g_state.surfaceFactory.ReceiveVoid());
}

HBITMAP DecodeWithFactory(IWICImagingFactory* factory, const char* path) {
    if (!factory) return nullptr;
    wchar_t widePath[1024];
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, 1024)) return nullptr;

    ComPtr<IWICBitmapDecoder> decoder;
    if (FAILED(factory->CreateDecoderFromFilename(widePath, nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Receive()))) {
        return nullptr;
    }
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(decoder->GetFrame(0, frame.Receive()))) return nullptr;
    ComPtr<IWICBitmapSource> pixels;
    if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), pixels.Receive()))) {
        return nullptr;
    }
    UINT width = 0, height = 0;
    if (FAILED(pixels->GetSize(&width, &height)) || width == 0 || height == 0 || width > kMaxPictureSide ||
        height > kMaxPictureSide || uint64_t(width) * height > kMaxPixels) {
        return nullptr;
    }

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    // A band of rows at a time: the converter then needs room for one band
    // of the decoded format, not for the whole picture a second time.
    const UINT stride = width * 4;
    for (UINT top = 0; top < height; top += kRowsPerBand) {
        const UINT rows = height - top < kRowsPerBand ? height - top : kRowsPerBand;
        const WICRect band = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        BYTE* target = static_cast<BYTE*>(bits) + static_cast<size_t>(top) * stride;
        if (FAILED(pixels->CopyPixels(&band, stride, stride * rows, target))) {
            DeleteObject(bitmap);
            return nullptr;
        }
    }
    GdiFlush();
    return bitmap;
}
