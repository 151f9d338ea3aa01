// For the bench alone: the celebration's measure and one of its frames, each
// as the clear sequence uses them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "display/views_win.h"
#include "scores/celebration.h"

// The caption font's measure of the texts of a game cleared in `elapsedMs`,
// laid out in a view of `viewWidth` x `viewHeight`.
CaptionMetrics MeasureCaption(HWND window, uint32_t elapsedMs, int viewWidth, int viewHeight);

// One frame of the celebration: the picture, the caption with its top left at
// (captionLeft, captionTop) and the time at (timeLeft, timeTop).
int DrawClearScreen(Screen& screen, uint32_t elapsedMs, int captionLeft, int captionTop, int timeLeft, int timeTop);
