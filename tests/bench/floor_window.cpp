// The start-up and memory floors: the least a Win32 program does to show a
// frame.
//
//   floor_window.exe                 one window, one 640 x 480 memory bitmap,
//                                    one GDI blit
//   floor_window.exe <jpg>           one window, the 640 x 480 jpg decoded by
//                                    WIC, one DirectDraw blit: what showing it
//                                    the game's way costs
//   floor_window.exe --bands <jpg>   the jpg decoded by WIC a band of rows at a
//                                    time, area-averaged into the size the
//                                    screen fits it to, shown through
//                                    DirectDraw; the caption then says so
#include <windows.h>
#include <ddraw.h>

#include <string>
#include <vector>

#include "platform/com_ptr_win.h"
#include "bench_frame.h"
#include "pictures/area_shrink.h"
#include "pictures/fitting.h"
#include "wic_floor.h"

namespace {

constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr UINT kBandRows = 16;

HBITMAP g_frame = nullptr;
int g_width = kStartWidth;  // of the frame shown
int g_height = kStartHeight;
bool g_announce = false;  // says in the caption when the frame is first up
ComPtr<IDirectDraw7> g_directDraw;
ComPtr<IDirectDrawSurface7> g_primary;
ComPtr<IDirectDrawSurface7> g_back;
ComPtr<IDirectDrawClipper> g_clipper;

HBITMAP FilledFrame() {
    HDC screen = GetDC(nullptr);
    HBITMAP frame = CreateCompatibleBitmap(screen, kStartWidth, kStartHeight);
    HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ first = SelectObject(memory, frame);
    HBRUSH brush = CreateSolidBrush(kStartColour);
    RECT all = {0, 0, kStartWidth, kStartHeight};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, first);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return frame;
}

void CreateImagingFactory(ComPtr<IWICImagingFactory>& factory) {
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                     factory.ReceiveVoid());
}

std::wstring Wide(const std::string& path) {
    wchar_t wide[1024];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024)) return L"";
    return wide;
}

HBITMAP DecodedFrame(const std::string& path) {
    ComPtr<IWICImagingFactory> factory;
    CreateImagingFactory(factory);
    return DecodeWithWicAlone(factory.get(), Wide(path).c_str());
}

struct Frame {
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
};

// The jpg as a window of this style fits it on the screen: WIC hands the
// rows over a band at a time and each band is area-averaged into the
// fitted bitmap at once, so no whole-size copy is made by this program.
Frame FittedFrame(const std::string& path) {
    ComPtr<IWICImagingFactory> factory;
    CreateImagingFactory(factory);
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> decoded;
    ComPtr<IWICBitmapSource> pixels;
    UINT width = 0, height = 0;
    if (!factory ||
        FAILED(factory->CreateDecoderFromFilename(Wide(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.Receive())) ||
        FAILED(decoder->GetFrame(0, decoded.Receive())) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, decoded.get(), pixels.Receive())) ||
        FAILED(pixels->GetSize(&width, &height))) {
        return {};
    }
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT outer = {0, 0, 0, 0};
    AdjustWindowRect(&outer, kStyle, FALSE);
    const int frameWidth = outer.right - outer.left, frameHeight = outer.bottom - outer.top;
    const FittedSize fitted = FitToScreen(static_cast<int>(width), static_cast<int>(height),
                                          work.right - work.left - frameWidth, work.bottom - work.top, frameHeight);
    void* bits = nullptr;
    Frame frame = {TopDownBitmap(fitted.width, fitted.height, &bits), fitted.width, fitted.height};
    if (!frame.bitmap) return {};
    AreaShrink shrink = BeginAreaShrink(static_cast<int>(width), static_cast<int>(height), fitted.width,
                                        fitted.height);
    const UINT stride = width * 4;
    std::vector<BYTE> band(static_cast<size_t>(stride) * kBandRows);
    for (UINT top = 0; top < height; top += kBandRows) {
        const UINT rows = height - top < kBandRows ? height - top : kBandRows;
        const WICRect area = {0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        if (FAILED(pixels->CopyPixels(&area, stride, stride * rows, band.data()))) break;
        for (UINT row = 0; row < rows; ++row) {
            AddSourceRow(shrink, &band[static_cast<size_t>(row) * stride], static_cast<uint8_t*>(bits),
                         static_cast<size_t>(fitted.width) * 4);
        }
    }
    return frame;
}

bool InitPresenter(HWND window) {
    DDSURFACEDESC2 primary = {};
    primary.dwSize = sizeof primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    DDSURFACEDESC2 back = {};
    back.dwSize = sizeof back;
    back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    back.dwWidth = static_cast<DWORD>(g_width);
    back.dwHeight = static_cast<DWORD>(g_height);
    back.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    return DirectDrawCreateEx(nullptr, g_directDraw.ReceiveVoid(), IID_IDirectDraw7, nullptr) == DD_OK &&
           g_directDraw->SetCooperativeLevel(window, DDSCL_NORMAL) == DD_OK &&
           g_directDraw->CreateSurface(&primary, g_primary.Receive(), nullptr) == DD_OK &&
           g_directDraw->CreateSurface(&back, g_back.Receive(), nullptr) == DD_OK &&
           g_directDraw->CreateClipper(0, g_clipper.Receive(), nullptr) == DD_OK &&
           g_clipper->SetHWnd(0, window) == DD_OK;
}

void CopyFrame(HDC dc) {
    HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ first = SelectObject(memory, g_frame);
    BitBlt(dc, 0, 0, g_width, g_height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, first);
    DeleteDC(memory);
}

void PresentFrame(HWND window) {
    HDC dc = nullptr;
    if (g_back->GetDC(&dc) != DD_OK) return;
    CopyFrame(dc);
    g_back->ReleaseDC(dc);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT to = {origin.x, origin.y, origin.x + g_width, origin.y + g_height};
    RECT from = {0, 0, g_width, g_height};
    g_primary->SetClipper(g_clipper.get());
    if (g_primary->Blt(&to, g_back.get(), &from, DDBLT_WAIT, nullptr) == DD_OK && g_announce) {
        g_announce = false;
        SetWindowTextA(window, kFloorShownCaption);
    }
}

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (!g_back && g_frame) CopyFrame(dc);
        EndPaint(window, &paint);
        if (g_back && g_frame) PresentFrame(window);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    std::string jpg = commandLine;
    const std::string bandsOption = "--bands ";
    const bool bands = jpg.rfind(bandsOption, 0) == 0;
    if (bands) jpg = jpg.substr(bandsOption.size());
    if (jpg.size() >= 2 && jpg.front() == '"' && jpg.back() == '"') jpg = jpg.substr(1, jpg.size() - 2);
    if (!jpg.empty()) CoInitialize(nullptr);
    if (bands) {
        const Frame fitted = FittedFrame(jpg);
        if (!fitted.bitmap) return 1;
        g_frame = fitted.bitmap;
        g_width = fitted.width;
        g_height = fitted.height;
        g_announce = true;
    }

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kFloorClass;
    if (!RegisterClassA(&windowClass)) return 1;
    if (jpg.empty()) g_frame = FilledFrame();

    RECT outer = {0, 0, g_width, g_height};
    AdjustWindowRect(&outer, kStyle, FALSE);
    HWND window = CreateWindowExA(0, kFloorClass, "Floor", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                  bands ? outer.right - outer.left : kStartWidth,
                                  bands ? outer.bottom - outer.top : kStartHeight + 44, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    if (!jpg.empty()) {
        if (!InitPresenter(window)) return 1;
        if (!bands) g_frame = DecodedFrame(jpg);
        InvalidateRect(window, nullptr, TRUE);
    }
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    g_clipper.Reset();
    g_back.Reset();
    g_primary.Reset();
    g_directDraw.Reset();
    DeleteObject(g_frame);
    return 0;
}
