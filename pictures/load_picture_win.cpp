// Loading and fitting pictures: the fitted picture fills the client area
// exactly, and the window lies inside the work area of its monitor.
#include "pictures/load_picture_win.h"

#include <utility>

#include "platform/gdi_win.h"
#include "display/presenter_win.h"
#include "game/board.h"
#include "pictures/fitting.h"
#include "pictures/picture_decoder_win.h"
#include "res/resource.h"

// The window measured and moved in this file is the program's own, on its own
// thread: GetWindowRect, GetClientRect and MoveWindow fail only once it is
// gone, and then there is nothing left to fit. Their results go unchecked.

namespace {

// A fitted picture narrower or lower than this would give cells of no area
// on the largest board.
constexpr int kMinFittedSide = kMaxSide;

RECT ClientRect(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return r;
}

SIZE OuterSize(HWND window) {
    const RECT r = WindowRect(window);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// What the frame, caption and menu take around the client area, measured
// on the window as it is sized now: the menu bar wraps at narrow widths.
SIZE NonClientSize(HWND window) {
    const RECT client = ClientRect(window);
    const SIZE outer = OuterSize(window);
    return SIZE{outer.cx - client.right, outer.cy - client.bottom};
}

void ResizeKeepingCorner(HWND window, int width, int height) {
    const RECT r = WindowRect(window);
    MoveWindow(window, r.left, r.top, width, height, TRUE);
}

RECT WorkArea(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor)) return monitor.rcWork;
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

// Sizes the window so that its client area is width x height and moves it
// left or up just enough to lie inside the work area.
void PlaceWindow(HWND window, const RECT& work, int width, int height, SIZE frame) {
    const RECT r = WindowRect(window);
    const int outerWidth = width + frame.cx, outerHeight = height + frame.cy;
    int left = r.left, top = r.top;
    if (left + outerWidth > work.right) left = work.right - outerWidth;
    if (top + outerHeight > work.bottom) top = work.bottom - outerHeight;
    if (left < work.left) left = work.left;
    if (top < work.top) top = work.top;
    MoveWindow(window, left, top, outerWidth, outerHeight, TRUE);
}

struct FittedWindow {
    FittedSize picture;
    SIZE frame;  // the frame, caption and menu around it
};

// True when the menu bar holds all its items on one row at the window's
// present width, as it then does at any greater width. The game's read-out
// at the bar's end is left out: it shows only where it fits.
bool MenuOnOneRow(HWND window) {
    HMENU menu = GetMenu(window);
    int count = menu ? GetMenuItemCount(menu) : 0;
    if (count > 1 && GetMenuItemID(menu, count - 1) == IDM_READ_OUT_BAR) --count;
    RECT first, last;
    return count > 0 && GetMenuItemRect(window, menu, 0, &first) &&
           GetMenuItemRect(window, menu, static_cast<UINT>(count - 1), &last) && last.right > last.left &&
           first.top == last.top;
}

// The fitted size, with the menu measured at the width the picture will
// have. A narrower picture may wrap the menu onto more rows, which leaves
// less height: the fit is made again until the frame stays the same.
FittedWindow FitInside(HWND window, const RECT& work, int width, int height) {
    const int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    FittedWindow fit = {{width, height}, NonClientSize(window)};
    // With the menu on one row now, the frame is already the least it can be
    // at this width or wider: a picture fitted at least this wide needs no
    // trial sizes, so the window does not flick wide and back on every load.
    if (MenuOnOneRow(window)) {
        fit.picture = FitToScreen(width, height, workWidth - fit.frame.cx, workHeight, fit.frame.cy);
        if (fit.picture.width >= ClientRect(window).right) return fit;
    }
    int shownWidth = width < workWidth - fit.frame.cx ? width : workWidth - fit.frame.cx;
    for (int round = 0; round < 3; ++round) {
        ResizeKeepingCorner(window, shownWidth + fit.frame.cx, OuterSize(window).cy);
        fit.frame = NonClientSize(window);
        fit.picture = FitToScreen(width, height, workWidth - fit.frame.cx, workHeight, fit.frame.cy);
        if (fit.picture.width == shownWidth) break;
        shownWidth = fit.picture.width;
    }
    return fit;
}

// The picture at its fitted size, with a back surface of that size. Only a
// picture too small to cut, or one whose pixels cannot be decoded, is the
// file's fault; no memory for the fitted copy or no back surface is NotNow.
RenderedPicture RenderFitted(PictureFile& file, Presenter& presenter, const FittedSize& fitted) {
    if (fitted.width < kMinFittedSide || fitted.height < kMinFittedSide) return {OwnedBitmap(), LoadOutcome::BadFile};
    RenderedPicture rendered = RenderPicture(file, fitted.width, fitted.height);
    if (rendered.bitmap && RecreateBackSurface(presenter, fitted.width, fitted.height) != DD_OK) {
        rendered.outcome = LoadOutcome::NotNow;
    }
    return rendered;
}

}  // namespace

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

void PutWindowBack(HWND window, const RECT& before) {
    MoveWindow(window, before.left, before.top, before.right - before.left, before.bottom - before.top, TRUE);
}

LoadOutcome LoadPicture(HWND window, IWICImagingFactory* factory, Screen& screen, const char* path) {
    OpenedPicture opened = OpenPicture(factory, path);
    if (opened.outcome != LoadOutcome::Loaded) return opened.outcome;
    PictureFile& file = opened.file;

    const RECT before = WindowRect(window);
    const RECT work = WorkArea(window);
    const FittedWindow fit = FitInside(window, work, file.width, file.height);
    const FittedSize& fitted = fit.picture;
    // Too small, no memory for the fitted copy, or no back surface for it:
    // everything stays as it was.
    RenderedPicture rendered = RenderFitted(file, screen.presenter, fitted);
    if (rendered.outcome != LoadOutcome::Loaded) {
        PutWindowBack(window, before);
        return rendered.outcome;
    }

    // The colour table is read from the picture as decoded, before fitting.
    ApplyPicturePalette(screen.presenter, file.bitmap ? file.bitmap.get() : rendered.bitmap.get());
    screen.picture = std::move(rendered.bitmap);
    screen.pictureWidth = fitted.width;
    screen.pictureHeight = fitted.height;
    screen.picturePath = path;

    PlaceWindow(window, work, fitted.width, fitted.height, fit.frame);
    return LoadOutcome::Loaded;
}

void FitWindowToView(HWND window, int width, int height) {
    PlaceWindow(window, WorkArea(window), width, height, NonClientSize(window));
}

int RefitPicture(HWND window, IWICImagingFactory* factory, Screen& screen) {
    const std::string path = screen.picturePath;
    if (screen.picture && !path.empty() && LoadPicture(window, factory, screen, path.c_str()) == LoadOutcome::Loaded) {
        return 1;
    }
    // No picture, or its file is gone: the one on the screen stays as it is.
    FitWindowToView(window, screen.picture ? screen.pictureWidth : screen.viewWidth,
                    screen.picture ? screen.pictureHeight : screen.viewHeight);
    return 0;
}
