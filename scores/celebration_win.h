// The celebration of a cleared board on the screen.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "display/views.h"
#include "scores/best_times.h"
#include "scores/celebration.h"

// The bold italic "Times New Roman" of the celebration and the best-time
// roll; the caller deletes it.
HFONT CreateCaptionFont(int height);

// Draws `text` clipped to `area`, first in `shadow` moved `shadowOffset`
// pixels right and down, then in `colour` in place. Every character is
// drawn as it stands: an "&" is not taken for a mnemonic.
void DrawShadowedText(HDC dc, const std::wstring& text, RECT area, int shadowOffset, UINT format, COLORREF shadow,
                      COLORREF colour);

// The caption font's measure of the texts of a game cleared in `elapsedMs`,
// laid out in a view of `viewWidth` x `viewHeight`.
CaptionMetrics MeasureCaption(HWND window, uint32_t elapsedMs, int viewWidth, int viewHeight);

// Lays the celebration out, starts its animation, asks for a best time's
// name and starts the ten seconds that end it. True when a best time was
// recorded and named: the caller saves it.
bool BeginClearSequence(HWND window, const Board& board, Play& play, ClearState& clear, HighScoreTable& highScores,
                        std::string& enteredName, const Screen& screen);
int StepClearAnimation(Screen& screen, const Play& play, ClearState& clear);
int DrawClearScreen(Screen& screen, uint32_t elapsedMs, int captionLeft, int captionTop, int timeLeft, int timeTop);
