// The bench pictures, made afresh on every run by the imaging component's
// jpg encoder.
#include <algorithm>
#include <cstdint>
#include <functional>

#include "bench_frame.h"
#include "bench_harness.h"
#include "platform/com_ptr_win.h"

namespace {

// Writes a jpg of width x height whose 24-bit pixels `pixel` gives (B, G, R).
bool WriteJpeg(IWICImagingFactory* factory, const std::string& path, int width, int height,
               const std::function<void(int x, int y, BYTE* bgr)>& pixel) {
    const UINT stride = static_cast<UINT>(width) * 3;
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixel(x, y, &pixels[static_cast<size_t>(y) * stride + x * 3]);
    }
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(factory->CreateStream(stream.Receive())) ||
        FAILED(stream->InitializeFromFilename(Wide(path).c_str(), GENERIC_WRITE)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Receive())) ||
        FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Receive(), options.Receive())) ||
        FAILED(frame->Initialize(options.get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) {
        return false;
    }
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    return SUCCEEDED(frame->SetPixelFormat(&format)) && IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) &&
           SUCCEEDED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                                        pixels.data())) &&
           SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

// A photograph stand-in: smooth light with fine detail everywhere, so that
// the file is about as large and as slow to decode as a camera's.
void PhotoPixel(int x, int y, BYTE* bgr) {
    uint32_t h = static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    const int grain = static_cast<int>((h >> 24) & 31) - 16;
    const int r = (x * 255 / kBigWidth) + grain, g = (y * 255 / kBigHeight) + grain;
    const int b = ((x / 97 + y / 61) % 2 ? 200 : 60) + grain;
    bgr[0] = static_cast<BYTE>(std::clamp(b, 0, 255));
    bgr[1] = static_cast<BYTE>(std::clamp(g, 0, 255));
    bgr[2] = static_cast<BYTE>(std::clamp(r, 0, 255));
}

// The start-up colour with a photograph's grain: decoding it costs what a
// photo does, and shrunk or seen in small patches it is the start-up colour.
void StartPhotoPixel(int x, int y, BYTE* bgr) {
    uint32_t h = static_cast<uint32_t>(x) * 2654435761u ^ static_cast<uint32_t>(y) * 40503u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    const int grain = static_cast<int>((h >> 24) & 31) - 16;
    bgr[0] = static_cast<BYTE>(std::clamp(GetBValue(kStartColour) + grain, 0, 255));
    bgr[1] = static_cast<BYTE>(std::clamp(GetGValue(kStartColour) + grain, 0, 255));
    bgr[2] = static_cast<BYTE>(std::clamp(GetRValue(kStartColour) + grain, 0, 255));
}

void StartPixel(int, int, BYTE* bgr) {
    bgr[0] = GetBValue(kStartColour);
    bgr[1] = GetGValue(kStartColour);
    bgr[2] = GetRValue(kStartColour);
}

}  // namespace

bool WriteBenchPictures(IWICImagingFactory* factory, const BenchPictures& pictures) {
    return WriteJpeg(factory, pictures.startJpg, kStartWidth, kStartHeight, StartPixel) &&
           WriteJpeg(factory, pictures.bigStartJpg, kBigWidth, kBigHeight, StartPhotoPixel) &&
           WriteJpeg(factory, pictures.bigJpg, kBigWidth, kBigHeight, PhotoPixel) &&
           WriteJpeg(factory, pictures.hugeJpg, kHugeWidth, kHugeHeight, PhotoPixel);
}
