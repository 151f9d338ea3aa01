// Puts frames on the screen: GDI draws into an off-screen DirectDraw surface,
// one clipped blit copies it into the main window.
#pragma once

#include <windows.h>
#include <ddraw.h>

#include <functional>

#include "platform/com_ptr_win.h"

struct Presenter {
    ComPtr<IDirectDraw7> directDraw;
    ComPtr<IDirectDrawSurface7> primarySurface;
    ComPtr<IDirectDrawSurface7> backSurface;
    ComPtr<IDirectDrawClipper> clipper;
    ComPtr<IDirectDrawPalette> palette;
    HWND window = nullptr;  // whose client area shows the frames
};

// DirectDraw for `window`, with a back surface of width x height; 0, holding
// nothing, when any part cannot be had.
int InitDirectDraw(Presenter& presenter, HWND window, int width, int height);
// A new back surface of width x height; on failure the old one stays.
HRESULT RecreateBackSurface(Presenter& presenter, int width, int height);

// Builds a 256-entry palette from a bitmap's colour table, when it has one,
// and gives it to the primary surface.
int ApplyPicturePalette(Presenter& presenter, HBITMAP bitmap);

// Draws one frame: `draw` paints the whole view of width x height into the
// back surface's DC, then the view is blitted into the window's client area.
// Without a back surface or a DC nothing is drawn and nothing is blitted.
void PresentBackSurface(Presenter& presenter, int width, int height, const std::function<void(HDC)>& draw);

// Gives back the clipper, the palette and both surfaces, then the DirectDraw
// object that made them.
void ReleasePresenter(Presenter& presenter);
