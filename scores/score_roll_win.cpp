// The best-time roll: every line of both tables, drawn over the picture at
// each step.
#include "scores/score_roll_win.h"

#include "display/gdi.h"
#include "display/presenter.h"
#include "display/views.h"
#include "res/resource.h"
#include "res/texts.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"

namespace {

constexpr COLORREF kHeadingShadow = RGB(127, 0, 0);
constexpr COLORREF kHeadingText = RGB(255, 0, 0);
constexpr COLORREF kEntryShadow = RGB(127, 127, 0);
constexpr COLORREF kEntryText = RGB(255, 255, 0);

}  // namespace

int StepScoreRoll(HWND window, ScoreRoll& roll, const HighScoreTable& highScores, Screen& screen) {
    if (!AdvanceScoreRoll(roll)) {
        KillTimer(window, TIMER_ANIMATION);
        DrawPicture(screen);
        return 0;
    }
    return DrawScoreRoll(screen, highScores, roll.rollLeft, roll.rollTop, roll.rollRight);
}

int DrawScoreRoll(Screen& screen, const HighScoreTable& highScores, int left, int top, int right) {
    const std::vector<RollLine> lines = ScoreRollLines(highScores);
    const int width = screen.viewWidth;
    const int height = screen.viewHeight;
    PresentBackSurface(screen.presenter, width, height, [&](HDC dc) {
        DrawPictureFrame(dc, screen.picture.get(), width, height);
        SetBkMode(dc, TRANSPARENT);
        SelectedFont font(dc, CreateCaptionFont(kRollFontHeight));
        for (const RollLine& line : lines) {
            const RECT area = {left, top + line.offset, right, top + line.offset + kRollLineHeight};
            // Names are kept in the list files' code page, the roll's own texts in UTF-8.
            DrawShadowedText(dc, line.name ? WideFromAnsi(line.text) : WideFromUtf8(line.text), area,
                             kRollShadowOffset, DT_CENTER,
                             line.heading ? kHeadingShadow : kEntryShadow,
                             line.heading ? kHeadingText : kEntryText);
        }
    });
    return 1;
}
