// Loading and fitting pictures: bmp through the bitmap loader, the rest through WIC.
#include "pictures/load_picture.h"

#include "app/app.h"
#include "app/game_state.h"
#include "app/gdi.h"
#include "display/presenter.h"
#include "pictures/bmp_header.h"
#include "game/game_win.h"
#include "pictures/fitting.h"
#include "pictures/surface_factory.h"
#include "res/resource.h"

namespace {

// A fitted picture narrower or lower than this would give cells of no area
// on the largest board.
constexpr int kMinFittedSide = kMaxSide;
constexpr int kMenuAllowanceExtra = 26;

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

HBITMAP Decode(const char* path) {
    if (HasExtension(path, "bmp")) {
        if (!BmpFitsFile(path)) return nullptr;
        return static_cast<HBITMAP>(
            LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
    }
    return DecodeWithFactory(g_state.surfaceFactory.get(), path);
}

// A copy of `source` (width x height) stretched to the fitted size, or null.
HBITMAP Stretch(HBITMAP source, int width, int height, int fittedWidth, int fittedHeight) {
    MemoryDc from;
    MemoryDc to;
    if (!from || !to) return nullptr;
    from.Select(source);
    HBITMAP fitted = CreateCompatibleBitmap(from.get(), fittedWidth, fittedHeight);
    if (!fitted) return nullptr;
    to.Select(fitted);
    if (!StretchBlt(to.get(), 0, 0, fittedWidth, fittedHeight, from.get(), 0, 0, width, height, SRCCOPY)) {
        to.SelectFirst();
        DeleteObject(fitted);
        return nullptr;
    }
    return fitted;
}

void MoveKeepingCorner(HWND window, int width, int height) {
    RECT r;
    GetWindowRect(window, &r);
    MoveWindow(window, r.left, r.top, width, height, TRUE);
}

}  // namespace

int MenuAllowance(HWND window) {
    HMENU menu = GetMenu(window);
    RECT first = {}, last = {};
    GetMenuItemRect(window, menu, 0, &first);
    GetMenuItemRect(window, menu, 4, &last);
    return last.bottom - first.top + kMenuAllowanceExtra;
}

int LoadPicture(HWND window, const char* path) {
    OwnedBitmap decoded(Decode(path));
    if (!decoded) return 0;
    BITMAP info = {};
    if (!GetObjectA(decoded.get(), sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0) return 0;
    const int width = info.bmWidth;
    const int height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;

    HDC screen = GetDC(nullptr);
    const int screenWidth = GetDeviceCaps(screen, HORZRES);
    const int screenHeight = GetDeviceCaps(screen, VERTRES);
    ReleaseDC(nullptr, screen);

    // The menu bar may wrap at the picture's width: measure it there.
    RECT before;
    GetWindowRect(window, &before);
    MoveKeepingCorner(window, width, height);
    const int allowance = MenuAllowance(window);
    const FittedSize fitted = FitToScreen(width, height, screenWidth, screenHeight, allowance);

    OwnedBitmap picture;
    if (fitted.width >= kMinFittedSide && fitted.height >= kMinFittedSide) {
        if (fitted.stretched) {
            picture.Reset(Stretch(decoded.get(), width, height, fitted.width, fitted.height));
        } else {
            picture.Reset(decoded.Release());
        }
    }
    if (!picture) {
        // Too small, or no memory for the fitted copy: everything stays as it was.
        MoveWindow(window, before.left, before.top, before.right - before.left, before.bottom - before.top,
                   TRUE);
        return 0;
    }

    // The colour table is read from the picture as decoded, before fitting.
    ApplyPicturePalette(g_state.presenter.directDraw.get(), g_state.presenter.primarySurface.get(),
                        decoded ? decoded.get() : picture.get());
    if (g_state.picture) DeleteObject(g_state.picture);
    g_state.picture = picture.Release();
    g_state.pictureWidth = g_state.viewWidth = fitted.width;
    g_state.pictureHeight = g_state.viewHeight = fitted.height;

    MoveKeepingCorner(window, g_state.viewWidth, g_state.viewHeight + allowance);
    RecreateBackSurface(g_state.viewWidth, g_state.viewHeight);
    ShuffleBoard();
    SetMenuCommand(window, IDM_START, true);
    DrawMenuBar(window);
    RECT view = {0, 0, g_state.viewWidth, g_state.viewHeight};
    InvalidateRect(window, &view, TRUE);
    return 1;
}
