// The celebration of a cleared board: measured with the caption font, drawn
// over the picture frame by frame.
#include "scores/celebration_win.h"

#include <cstring>
#include <string>

#include "app/game_state.h"
#include "display/gdi.h"
#include "display/presenter.h"
#include "display/views.h"
#include "res/resource.h"
#include "scores/celebration.h"
#include "scores/name_dialog.h"

namespace {

constexpr COLORREF kShadowColour = RGB(127, 127, 0);
constexpr COLORREF kTextColour = RGB(255, 255, 0);
constexpr int kShadowOffset = 8;

uint32_t ElapsedGameMs() { return ElapsedMilliseconds(g_state.play.startTick, g_state.play.endTick); }

// The right and bottom edge DrawTextA gives `text` in a view-sized rectangle.
SIZE MeasureText(HDC dc, const char* text) {
    RECT area = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
    DrawTextA(dc, text, -1, &area, DT_CALCRECT);
    return {area.right, area.bottom};
}

}  // namespace

CaptionMetrics MeasureCaption(HWND window) {
    CaptionMetrics metrics = {0, 0, 0};
    HDC dc = GetDC(window);
    if (!dc) return metrics;
    {
        SelectedFont font(dc, CreateCaptionFont(kCaptionFontHeight));
        const SIZE full = MeasureText(dc, FormatMeasuringText(ElapsedGameMs()).c_str());
        metrics.fullWidth = full.cx;
        metrics.fullHeight = full.cy;
        metrics.captionWidth = MeasureText(dc, kClearCaption).cx;
    }
    ReleaseDC(window, dc);
    return metrics;
}

HFONT CreateCaptionFont(int height) {
    LOGFONTA font = {};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    font.lfCharSet = SHIFTJIS_CHARSET;
    font.lfPitchAndFamily = FF_ROMAN | DEFAULT_PITCH;
    static const char kFace[] = "Times New Roman";
    static_assert(sizeof kFace <= sizeof font.lfFaceName, "face name fits");
    std::memcpy(font.lfFaceName, kFace, sizeof kFace);
    return CreateFontIndirectA(&font);
}

void DrawShadowedText(HDC dc, const char* text, RECT area, int shadowOffset, UINT format, COLORREF shadow,
                      COLORREF colour) {
    RECT shadowArea = area;
    OffsetRect(&shadowArea, shadowOffset, shadowOffset);
    SetTextColor(dc, shadow);
    DrawTextA(dc, text, -1, &shadowArea, format);
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &area, format);
}

int BeginClearSequence(HWND window) {
    const CaptionMetrics metrics = MeasureCaption(window);
    const unsigned period = StartCelebration(g_state.clear, metrics, g_state.screen.viewWidth, g_state.screen.viewHeight);
    SetTimer(window, TIMER_ANIMATION, period, nullptr);
    UpdateBestTime(window);
    SetTimer(window, TIMER_REVEAL, kCelebrationMs, nullptr);
    g_state.play.revealPending = true;
    return 1;
}

int StepClearAnimation() {
    // A tick that outlived its celebration draws nothing.
    if (g_state.clear.clearMode == ClearMode::None) return 1;
    const CelebrationFrame frame = StepCelebration(g_state.clear, g_state.screen.viewWidth);
    return DrawClearScreen(frame.captionLeft, frame.captionTop, frame.timeLeft, frame.timeTop);
}

int DrawClearScreen(int captionLeft, int captionTop, int timeLeft, int timeTop) {
    const std::string timeText = FormatTimeText(ElapsedGameMs());
    const int width = g_state.screen.viewWidth;
    const int height = g_state.screen.viewHeight;
    PresentBackSurface(g_state.screen.presenter, width, height, [&](HDC dc) {
        DrawPictureFrame(dc, g_state.screen.picture, width, height);
        SetBkMode(dc, TRANSPARENT);
        SelectedFont font(dc, CreateCaptionFont(kCaptionFontHeight));
        DrawShadowedText(dc, kClearCaption, {captionLeft, captionTop, width, height}, kShadowOffset, 0,
                         kShadowColour, kTextColour);
        DrawShadowedText(dc, timeText.c_str(), {timeLeft, timeTop, width, height}, kShadowOffset, 0,
                         kShadowColour, kTextColour);
    });
    return 1;
}
