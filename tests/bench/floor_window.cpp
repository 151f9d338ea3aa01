// The start-up floors: the least a Win32 program does to show a 640 x 480
// frame.
//
//   floor_window.exe         one window, one memory bitmap, one GDI blit
//   floor_window.exe <jpg>   one window, the jpg decoded by WIC, one
//                            DirectDraw blit: what showing it the game's way costs
#include <windows.h>
#include <ddraw.h>

#include <string>

#include "display/com_ptr.h"
#include "bench_frame.h"
#include "wic_floor.h"

namespace {

HBITMAP g_frame = nullptr;
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

HBITMAP DecodedFrame(const std::string& path) {
    wchar_t wide[1024];
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, 1024)) return nullptr;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid()))) {
        return nullptr;
    }
    return DecodeWithWicAlone(factory.get(), wide);
}

bool InitPresenter(HWND window) {
    DDSURFACEDESC2 primary = {};
    primary.dwSize = sizeof primary;
    primary.dwFlags = DDSD_CAPS;
    primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    DDSURFACEDESC2 back = {};
    back.dwSize = sizeof back;
    back.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    back.dwWidth = kStartWidth;
    back.dwHeight = kStartHeight;
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
    BitBlt(dc, 0, 0, kStartWidth, kStartHeight, memory, 0, 0, SRCCOPY);
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
    RECT to = {origin.x, origin.y, origin.x + kStartWidth, origin.y + kStartHeight};
    RECT from = {0, 0, kStartWidth, kStartHeight};
    g_primary->SetClipper(g_clipper.get());
    g_primary->Blt(&to, g_back.get(), &from, DDBLT_WAIT, nullptr);
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
    if (jpg.size() >= 2 && jpg.front() == '"' && jpg.back() == '"') jpg = jpg.substr(1, jpg.size() - 2);
    if (!jpg.empty()) CoInitialize(nullptr);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kFloorClass;
    if (!RegisterClassA(&windowClass)) return 1;
    if (jpg.empty()) g_frame = FilledFrame();

    HWND window = CreateWindowExA(0, kFloorClass, "Floor", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, kStartWidth, kStartHeight + 44, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    if (!jpg.empty()) {
        if (!InitPresenter(window)) return 1;
        g_frame = DecodedFrame(jpg);
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
