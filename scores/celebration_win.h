// The celebration of a cleared board on the screen.
#pragma once

#include <windows.h>

#include "scores/celebration.h"

// The bold italic "Times New Roman" of the celebration and the best-time
// roll; the caller deletes it.
HFONT CreateCaptionFont(int height);

// Draws `text` clipped to `area`, first in `shadow` moved `shadowOffset`
// pixels right and down, then in `colour` in place.
void DrawShadowedText(HDC dc, const char* text, RECT area, int shadowOffset, UINT format, COLORREF shadow,
                      COLORREF colour);

// The caption font's measure of the texts of the game just cleared.
CaptionMetrics MeasureCaption(HWND window);

// Lays the celebration out, starts its animation, asks for a best time's
// name and starts the ten seconds that end it.
int BeginClearSequence(HWND window);
int StepClearAnimation();
int DrawClearScreen(int captionLeft, int captionTop, int timeLeft, int timeTop);
