// The picture view and the picture drawn into a frame, through the presenter.
#include "display/views_win.h"

#include "platform/gdi_win.h"
#include "display/presenter_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

// The band's bold font, of `height` pixels, with the character set of the
// player's language so that Japanese text finds a Japanese face.
HFONT CreateBandFont(int height) {
    LOGFONTW face = {};
    face.lfHeight = height;
    face.lfWeight = FW_BOLD;
    face.lfCharSet = PRIMARYLANGID(TextLanguage()) == LANG_JAPANESE ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    return CreateFontIndirectW(&face);
}

// How wide `text` is in the font selected into `dc`; 0 when it cannot be measured.
int TextWidth(HDC dc, const std::wstring& text) {
    SIZE extent = {};
    return GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent) ? extent.cx : 0;
}

}  // namespace

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
        if (screen.pictureBand) DrawTextBand(dc, screen.viewWidth, screen.viewHeight, LoadText(screen.pictureBand));
    });
    return 1;
}

void SetPictureBand(Screen& screen, UINT textId) {
    screen.pictureBand = textId;
}

void DrawTextBand(HDC dc, int width, int height, const std::wstring& text) {
    const int fontHeight = height / 10 < 24 ? (height / 10 > 12 ? height / 10 : 12) : 24;
    const int band = fontHeight * 2;
    RECT area = {0, height / 2 - band / 2, width, height / 2 - band / 2 + band};
    PatBlt(dc, area.left, area.top, width, band, BLACKNESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const int room = width - fontHeight;  // half a letter's height clear at each end
    int fitting = fontHeight;
    {
        const SelectedFont font(dc, CreateBandFont(fontHeight));
        const int wide = TextWidth(dc, text);
        if (wide > room && room > 0) fitting = fontHeight * room / wide;
    }
    const SelectedFont font(dc, CreateBandFont(fitting > 8 ? fitting : 8));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
