// The picture view and the picture drawn into a frame, through the presenter.
#include "display/views.h"

#include "display/gdi.h"
#include "display/presenter.h"

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
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight,
                       [&](HDC dc) { DrawPictureFrame(dc, screen.picture, screen.viewWidth, screen.viewHeight); });
    return 1;
}
