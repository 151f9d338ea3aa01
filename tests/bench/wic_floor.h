// What the bench and the floor program share: their 32-bit bitmaps, and the
// decoding floor, WIC alone decoding a file into a bitmap of its own size.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include "platform/com_ptr_win.h"

// A 32-bit top-down bitmap of width x height whose pixels `bits` points to.
inline HBITMAP TopDownBitmap(int width, int height, void** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

inline HBITMAP DecodeWithWicAlone(IWICImagingFactory* factory, const wchar_t* path) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> pixels;
    UINT width = 0, height = 0;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, frame.Receive())) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(), pixels.Receive())) ||
        FAILED(pixels->GetSize(&width, &height))) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP bitmap = TopDownBitmap(static_cast<int>(width), static_cast<int>(height), &bits);
    if (!bitmap) return nullptr;
    if (FAILED(pixels->CopyPixels(nullptr, width * 4, width * 4 * height, static_cast<BYTE*>(bits)))) {
        DeleteObject(bitmap);
        return nullptr;
    }
    return bitmap;
}
