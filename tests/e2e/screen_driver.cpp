// Reading the screen back, decoding pictures, and writing bmp files.
#include <wincodec.h>

#include "game_driver.h"

namespace {

// The file and info headers of an uncompressed bmp; a negative height runs top-down.
std::string BmpHeaders(int width, int height, WORD bitCount, DWORD imageSize) {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = bitCount;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + imageSize;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    return bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
}

}  // namespace

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

Screenshot CaptureScreen(const RECT& area) {
    Screenshot shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    if (shot.width <= 0 || shot.height <= 0) return shot;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const DWORD* row = static_cast<const DWORD*>(bits);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    for (size_t i = 0; i < shot.pixels.size(); ++i) {
        const DWORD bgr = row[i];
        shot.pixels[i] = RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

Screenshot Game::CaptureClient(int width, int height) {
    const POINT origin = ClientToScreenPoint(0, 0);
    return CaptureScreen({origin.x, origin.y, origin.x + width, origin.y + height});
}

int Screenshot::Count(COLORREF colour, RECT* bounds) const {
    int count = 0;
    RECT box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (At(x, y) != colour) continue;
            ++count;
            box.left = x < box.left ? x : box.left;
            box.top = y < box.top ? y : box.top;
            box.right = x + 1 > box.right ? x + 1 : box.right;
            box.bottom = y + 1 > box.bottom ? y + 1 : box.bottom;
        }
    }
    if (bounds) *bounds = count ? box : RECT{0, 0, 0, 0};
    return count;
}

bool SaveScreenBmp(const std::wstring& path, const RECT& area) {
    const Screenshot shot = CaptureScreen(area);
    std::string bytes = BmpHeaders(shot.width, -shot.height, 32, static_cast<DWORD>(shot.pixels.size() * 4));
    for (const COLORREF colour : shot.pixels) {
        const DWORD bgr = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
        bytes.append(reinterpret_cast<const char*>(&bgr), 4);
    }
    return WriteFileBytes(path, bytes);
}

Screenshot DecodePicture(const std::wstring& path) {
    Screenshot picture;
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT width = 0, height = 0;
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_PPV_ARGS(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                        0.0, WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&width, &height))) {
        std::vector<BYTE> bgrx(static_cast<size_t>(width) * height * 4);
        if (SUCCEEDED(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(bgrx.size()), bgrx.data()))) {
            picture.width = static_cast<int>(width);
            picture.height = static_cast<int>(height);
            for (size_t i = 0; i < bgrx.size(); i += 4) picture.pixels.push_back(RGB(bgrx[i + 2], bgrx[i + 1], bgrx[i]));
        }
    }
    for (IUnknown* object : {static_cast<IUnknown*>(converter), static_cast<IUnknown*>(frame),
                             static_cast<IUnknown*>(decoder), static_cast<IUnknown*>(factory)}) {
        if (object) object->Release();
    }
    return picture;
}

COLORREF PositionColour(int x, int y) {
    return RGB(x & 0xFF, y & 0xFF, 0xA0 | ((x >> 8) & 3) << 2 | ((y >> 8) & 3));
}

int PieceAtCellCentre(COLORREF colour, int pictureWidth, int pictureHeight, int columns, int rows) {
    const int x = ((GetBValue(colour) >> 2) & 3) << 8 | GetRValue(colour);
    const int y = (GetBValue(colour) & 3) << 8 | GetGValue(colour);
    const int cellWidth = pictureWidth / columns, cellHeight = pictureHeight / rows;
    if (colour != PositionColour(x, y) || x >= cellWidth * columns || y >= cellHeight * rows) return -1;
    if (x % cellWidth != cellWidth / 2 || y % cellHeight != cellHeight / 2) return -1;
    return (y / cellHeight) * columns + x / cellWidth;
}

bool WritePositionBmp(const std::wstring& path, int width, int height) {
    return WritePictureBmp(path, width, height, PositionColour);
}

bool WritePictureBmp(const std::wstring& path, int width, int height,
                     const std::function<COLORREF(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    std::string bytes = BmpHeaders(width, height, 24, static_cast<DWORD>(stride * height));  // bottom-up
    std::string row(static_cast<size_t>(stride), '\0');
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            row[x * 3 + 0] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        bytes += row;
    }
    return WriteFileBytes(path, bytes);
}
