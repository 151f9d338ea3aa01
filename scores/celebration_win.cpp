// The celebration of a cleared board: measured with the caption font, drawn
// over the picture frame by frame.
#include "scores/celebration_win.h"

#include <cstring>
#include <string>

#include "display/presenter_win.h"
#include "display/views_win.h"
#include "platform/code_page_win.h"
#include "platform/gdi_win.h"
#include "res/resource.h"
#include "res/texts_win.h"
#include "scores/celebration.h"
#include "scores/celebration_bench_win.h"
#include "scores/name_dialog_win.h"

namespace {

constexpr COLORREF kShadowColour = RGB(127, 127, 0);
constexpr COLORREF kTextColour = RGB(255, 255, 0);
constexpr int kShadowOffset = 8;

uint32_t ElapsedGameMs(const Play& play) {
    return ElapsedMilliseconds(play.startTick, play.endTick);
}

// False when the player asked Windows for no animations inside windows.
bool AnimationsWanted() {
    BOOL wanted = TRUE;
    return !SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &wanted, 0) || wanted;
}

// The right and bottom edge DrawTextW gives `text` in a rectangle of width x height.
SIZE MeasureText(HDC dc, const std::string& text, int width, int height) {
    RECT area = {0, 0, width, height};
    const std::wstring wide = WideFromUtf8(text);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &area, DT_CALCRECT | DT_NOPREFIX);
    return {area.right, area.bottom};
}

}  // namespace

CaptionMetrics MeasureCaption(HWND window, uint32_t elapsedMs, int viewWidth, int viewHeight) {
    CaptionMetrics metrics = {0, 0, 0};
    const WindowDc dc(window);
    if (!dc) return metrics;
    SelectedFont font(dc.get(), CreateCaptionFont(kCaptionFontHeight));
    const SIZE full = MeasureText(dc.get(), FormatMeasuringText(elapsedMs), viewWidth, viewHeight);
    metrics.fullWidth = full.cx;
    metrics.fullHeight = full.cy;
    metrics.captionWidth = MeasureText(dc.get(), kClearCaption, viewWidth, viewHeight).cx;
    return metrics;
}

HFONT CreateCaptionFont(int height) {
    LOGFONTW font = {};
    font.lfHeight = height;
    font.lfWeight = FW_BOLD;
    font.lfItalic = 1;
    // The Japanese set asks for the Japanese character set, as it always
    // did; the English one lets the face decide.
    font.lfCharSet = PRIMARYLANGID(TextLanguage()) == LANG_JAPANESE ? SHIFTJIS_CHARSET : DEFAULT_CHARSET;
    font.lfPitchAndFamily = FF_ROMAN | DEFAULT_PITCH;
    static const wchar_t kFace[] = L"Times New Roman";
    static_assert(sizeof kFace <= sizeof font.lfFaceName, "face name fits");
    std::memcpy(font.lfFaceName, kFace, sizeof kFace);
    return CreateFontIndirectW(&font);
}

void DrawShadowedText(HDC dc, const std::wstring& text, RECT area, int shadowOffset, UINT format, COLORREF shadow,
                      COLORREF colour) {
    RECT shadowArea = area;
    OffsetRect(&shadowArea, shadowOffset, shadowOffset);
    const int length = static_cast<int>(text.size());
    SetTextColor(dc, shadow);
    DrawTextW(dc, text.c_str(), length, &shadowArea, format | DT_NOPREFIX);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), length, &area, format | DT_NOPREFIX);
}

bool BeginClearSequence(HWND window, const Board& board, Play& play, ClearState& clear, HighScoreTable& highScores,
                        std::string& enteredName, NameEntry& nameEntry, const Screen& screen) {
    const CaptionMetrics metrics = MeasureCaption(window, ElapsedGameMs(play), screen.viewWidth, screen.viewHeight);
    const unsigned period = StartCelebration(clear, metrics, screen.viewWidth, screen.viewHeight);
    if (!AnimationsWanted()) RestCelebration(clear, metrics, screen.viewWidth, screen.viewHeight);
    // Neither SetTimer's result is read: it fails only when the system has no
    // resources left for a timer, there is no other clock to fall back on,
    // and a click still ends the celebration.
    SetTimer(window, TIMER_ANIMATION, period, nullptr);
    const bool named = UpdateBestTime(window, board, play, highScores, enteredName, nameEntry);
    SetTimer(window, TIMER_REVEAL, kCelebrationMs, nullptr);
    HoldRevealForCelebration(play);
    return named;
}

int StepClearAnimation(Screen& screen, const Play& play, ClearState& clear) {
    // A tick that outlived its celebration draws nothing.
    if (clear.clearMode == ClearMode::None) return 1;
    const CelebrationFrame frame = StepCelebration(clear, screen.viewWidth);
    return DrawClearScreen(screen, ElapsedGameMs(play), frame.captionLeft, frame.captionTop, frame.timeLeft,
                           frame.timeTop);
}

int DrawClearScreen(Screen& screen, uint32_t elapsedMs, int captionLeft, int captionTop, int timeLeft, int timeTop) {
    const std::wstring caption = WideFromUtf8(kClearCaption);
    const std::wstring timeText = WideFromUtf8(FormatTimeText(elapsedMs));
    const int width = screen.viewWidth;
    const int height = screen.viewHeight;
    PresentBackSurface(screen.presenter, width, height, [&](HDC dc) {
        DrawPictureFrame(dc, screen.picture.get(), width, height);
        SetBkMode(dc, TRANSPARENT);
        SelectedFont font(dc, CreateCaptionFont(kCaptionFontHeight));
        DrawShadowedText(dc, caption, {captionLeft, captionTop, width, height}, kShadowOffset, 0, kShadowColour,
                         kTextColour);
        DrawShadowedText(dc, timeText, {timeLeft, timeTop, width, height}, kShadowOffset, 0, kShadowColour,
                         kTextColour);
    });
    return 1;
}
