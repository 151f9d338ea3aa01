// The DirectDraw presenter: windowed mode, primary surface shared with GDI,
// one back surface of the view's size.
#include "display/presenter_win.h"

#include "platform/gdi_win.h"
#include "platform/system_library_win.h"

namespace {

DDSURFACEDESC2 PrimaryDescription() {
    DDSURFACEDESC2 description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    return description;
}

DDSURFACEDESC2 BackDescription(int width, int height) {
    DDSURFACEDESC2 description = {};
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    description.dwWidth = static_cast<DWORD>(width);
    description.dwHeight = static_cast<DWORD>(height);
    description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    return description;
}

int RestoreSurfaces(Presenter& p) {
    if (!p.primarySurface || p.primarySurface->Restore() != DD_OK) return 0;
    // A back surface that stays lost fails the GetDC that follows, and its frame is skipped.
    if (p.backSurface) p.backSurface->Restore();
    return 1;
}

}  // namespace

void ReleasePresenter(Presenter& p) {
    p.clipper.Reset();
    p.palette.Reset();
    p.backSurface.Reset();
    p.primarySurface.Reset();
    p.directDraw.Reset();
}

int InitDirectDraw(Presenter& p, HWND window, int width, int height) {
    p.window = window;
    const auto createDirectDraw = SystemFunction<decltype(&DirectDrawCreateEx)>(L"ddraw.dll", "DirectDrawCreateEx");
    if (!createDirectDraw ||
        createDirectDraw(nullptr, p.directDraw.ReceiveVoid(), IID_IDirectDraw7, nullptr) != DD_OK) {
        ReleasePresenter(p);
        return 0;
    }
    if (p.directDraw->SetCooperativeLevel(window, DDSCL_NORMAL) != DD_OK) {
        ReleasePresenter(p);
        return 0;
    }
    DDSURFACEDESC2 primary = PrimaryDescription();
    if (p.directDraw->CreateSurface(&primary, p.primarySurface.Receive(), nullptr) != DD_OK) {
        ReleasePresenter(p);
        return 0;
    }
    DDSURFACEDESC2 back = BackDescription(width, height);
    if (p.directDraw->CreateSurface(&back, p.backSurface.Receive(), nullptr) != DD_OK) {
        ReleasePresenter(p);
        return 0;
    }
    // Without a clipper every frame would be dropped: no start without one.
    if (p.directDraw->CreateClipper(0, p.clipper.Receive(), nullptr) != DD_OK || !p.clipper ||
        p.clipper->SetHWnd(0, window) != DD_OK) {
        ReleasePresenter(p);
        return 0;
    }
    // A window has no flipping chain: this only makes sure GDI's surface is
    // the one shown, and nothing that follows depends on its answer.
    p.directDraw->FlipToGDISurface();
    return 1;
}

HRESULT RecreateBackSurface(Presenter& p, int width, int height) {
    if (!p.directDraw) return DDERR_GENERIC;
    // The new surface is made before the old one goes: when it cannot be
    // made, the old one still serves the old view.
    DDSURFACEDESC2 back = BackDescription(width, height);
    ComPtr<IDirectDrawSurface7> made;
    const HRESULT result = p.directDraw->CreateSurface(&back, made.Receive(), nullptr);
    if (result != DD_OK || !made) return result != DD_OK ? result : DDERR_GENERIC;
    p.backSurface.Reset();
    p.backSurface.Swap(made);
    return DD_OK;
}

int ApplyPicturePalette(Presenter& p, HBITMAP bitmap) {
    RGBQUAD colours[256] = {};
    UINT count = 0;
    if (MemoryDc memory; memory) {
        memory.Select(bitmap);
        count = GetDIBColorTable(memory.get(), 0, 256, colours);
    }
    if (count == 0 || !p.directDraw || !p.primarySurface) return 1;
    PALETTEENTRY entries[256] = {};
    for (UINT i = 0; i < count && i < 256; ++i) {
        entries[i].peRed = colours[i].rgbRed;
        entries[i].peGreen = colours[i].rgbGreen;
        entries[i].peBlue = colours[i].rgbBlue;
        entries[i].peFlags = 0;
    }
    // A display of more than 256 colours takes no palette and needs none:
    // the fitted picture is drawn in 32-bit colour.
    if (p.directDraw->CreatePalette(DDPCAPS_8BIT, entries, p.palette.Receive(), nullptr) == DD_OK && p.palette) {
        p.primarySurface->SetPalette(p.palette.get());
    }
    return 1;
}

void PresentBackSurface(Presenter& p, int width, int height, const std::function<void(HDC)>& draw) {
    if (!p.backSurface || !p.primarySurface) return;
    HDC dc = nullptr;
    HRESULT result = p.backSurface->GetDC(&dc);
    if (result == DDERR_SURFACELOST && RestoreSurfaces(p)) result = p.backSurface->GetDC(&dc);
    if (result != DD_OK || !dc) return;  // no frame without a DC
    draw(dc);
    p.backSurface->ReleaseDC(dc);  // fails only for a DC the surface did not give

    POINT origin = {0, 0};
    ClientToScreen(p.window, &origin);  // fails only for a window that is gone
    RECT destination = {origin.x, origin.y, origin.x + width, origin.y + height};
    RECT source = {0, 0, width, height};
    // Without a clipper the blit would paint over whatever covers the window;
    // a minimised window has no client area to show the frame in.
    if (!p.clipper || IsIconic(p.window)) return;
    if (p.primarySurface->SetClipper(p.clipper.get()) != DD_OK) return;
    // A frame the blit drops is not tried again: the next change of the view,
    // or the next WM_PAINT, draws a whole frame.
    p.primarySurface->Blt(&destination, p.backSurface.get(), &source, DDBLT_WAIT, nullptr);
}
