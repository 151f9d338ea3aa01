// The start-up floor: the least a Win32 program does to show a 640 x 480
// frame: one window of the game's size, one memory bitmap, one blit.
#include <windows.h>

#include "bench_frame.h"

namespace {

HBITMAP g_frame = nullptr;

LRESULT CALLBACK FloorWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HDC memory = CreateCompatibleDC(dc);
        const HGDIOBJ first = SelectObject(memory, g_frame);
        BitBlt(dc, 0, 0, kStartWidth, kStartHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, first);
        DeleteDC(memory);
        EndPaint(window, &paint);
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

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FloorWndProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kFloorClass;
    if (!RegisterClassA(&windowClass)) return 1;

    HDC screen = GetDC(nullptr);
    g_frame = CreateCompatibleBitmap(screen, kStartWidth, kStartHeight);
    HDC memory = CreateCompatibleDC(screen);
    const HGDIOBJ first = SelectObject(memory, g_frame);
    HBRUSH brush = CreateSolidBrush(kStartColour);
    RECT all = {0, 0, kStartWidth, kStartHeight};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, first);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    HWND window = CreateWindowExA(0, kFloorClass, "Floor", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                  CW_USEDEFAULT, kStartWidth, kStartHeight + 44, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(g_frame);
    return 0;
}
