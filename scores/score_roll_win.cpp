// The best-time roll: every line of both tables, drawn over the picture at
// each step.
#include "scores/score_roll_win.h"

#include "display/presenter_win.h"
#include "display/views_win.h"
#include "platform/code_page_win.h"
#include "platform/gdi_win.h"
#include "res/resource.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_bench_win.h"

namespace {

constexpr COLORREF kHeadingShadow = RGB(127, 0, 0);
constexpr COLORREF kHeadingText = RGB(255, 0, 0);
constexpr COLORREF kEntryShadow = RGB(127, 127, 0);
constexpr COLORREF kEntryText = RGB(255, 255, 0);

}  // namespace

int StepScoreRoll(HWND window, ScoreRoll& roll, const HighScoreTable& highScores, Screen& screen,
                  RollBackground background) {
    if (!AdvanceScoreRoll(roll)) {
        KillTimer(window, TIMER_ANIMATION);  // fails only for a timer already gone
        return 0;
    }
    return DrawScoreRoll(screen, highScores, roll.rollLeft, roll.rollTop, roll.rollRight, background);
}

int DrawScoreRoll(Screen& screen, const HighScoreTable& highScores, int left, int top, int right,
                  RollBackground background) {
    const std::vector<RollLine> lines = ScoreRollLines(highScores);
    const int width = screen.viewWidth;
    const int height = screen.viewHeight;
    PresentBackSurface(screen.presenter, width, height, [&](HDC dc) {
        DrawPictureFrame(dc, background == RollBackground::Picture ? screen.picture.get() : nullptr, width, height);
        SetBkMode(dc, TRANSPARENT);
        SelectedFont font(dc, CreateCaptionFont(kRollFontHeight));
        for (const RollLine& line : lines) {
            const RECT area = {left, top + line.offset, right, top + line.offset + kRollLineHeight};
            // Names are kept in the list files' code page, the roll's own texts in UTF-8.
            DrawShadowedText(dc, line.name ? WideFromAnsi(line.text) : WideFromUtf8(line.text), area, kRollShadowOffset,
                             DT_CENTER, line.heading ? kHeadingShadow : kEntryShadow,
                             line.heading ? kHeadingText : kEntryText);
        }
    });
    return 1;
}
