// The main window's messages and menu commands.
#include <windows.h>

#include "app/app.h"
#include "app/game_state.h"
#include "res/resource.h"

void SetMenuCommand(HWND window, UINT command, bool enabled) {
    EnableMenuItem(GetMenu(window), command,
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

int PaintView(HWND, const PAINTSTRUCT& paint) {
    // No picture can be shown yet: the view is black.
    if (!g_state.singleFileMode && !g_state.play.playing) {
        PatBlt(paint.hdc, 0, 0, g_state.viewWidth, g_state.viewHeight, BLACKNESS);
        return 1;
    }
    return 0;
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        ShutdownApplication(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        PaintView(window, paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDM_CLOSE:
            DestroyWindow(window);
            break;
        default:
            break;  // the other commands arrive with their subsystems
        }
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
