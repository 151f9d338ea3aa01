// The picture view and the picture drawn into a frame, through the presenter.
#include "display/views_win.h"

#include "platform/gdi_win.h"
#include "display/presenter_win.h"
#include "res/resource.h"

bool LoadCardBack(Screen& screen, HINSTANCE instance) {
    screen.cardBackSource.Reset(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_CARD_BACK)));
    BITMAP source = {};
    if (!screen.cardBackSource || !GetObjectA(screen.cardBackSource.get(), sizeof source, &source)) return false;
    screen.cardBackSourceWidth = source.bmWidth;
    screen.cardBackSourceHeight = source.bmHeight;
    return true;
}

void ReleaseScreen(Screen& screen) {
    screen.picture.Reset();
    screen.cardBack.Reset();
    screen.cardBackSource.Reset();
    ReleasePresenter(screen.presenter);
}

void DrawPictureFrame(HDC dc, HBITMAP picture, int width, int height) {
    MemoryDc memory;
    if (!picture || !memory) {
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        return;
    }
    memory.Select(picture);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

int DrawPicture(Screen& screen) {
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight, [&](HDC dc) {
        DrawPictureFrame(dc, screen.picture.get(), screen.viewWidth, screen.viewHeight);
    });
    return 1;
}
