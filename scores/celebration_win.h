// The celebration of a cleared board on the screen.
#pragma once

#include <windows.h>

#include <string>

#include "display/views_win.h"
#include "scores/best_times.h"
#include "scores/celebration.h"
#include "scores/name_dialog_win.h"

// The bold italic "Times New Roman" of the celebration and the best-time
// roll; the caller deletes it.
HFONT CreateCaptionFont(int height);

// Draws `text` clipped to `area`, first in `shadow` moved `shadowOffset`
// pixels right and down, then in `colour` in place. Every character is
// drawn as it stands: an "&" is not taken for a mnemonic.
void DrawShadowedText(HDC dc, const std::wstring& text, RECT area, int shadowOffset, UINT format, COLORREF shadow,
                      COLORREF colour);

// Lays the celebration out, starts its animation, asks for a best time's
// name and starts the ten seconds that end it. True when a best time was
// recorded and named: the caller saves it.
bool BeginClearSequence(HWND window, const Board& board, Play& play, ClearState& clear, HighScoreTable& highScores,
                        std::string& enteredName, NameEntry& nameEntry, const Screen& screen);
// One step of the celebration's animation, drawn over the picture.
int StepClearAnimation(Screen& screen, const Play& play, ClearState& clear);
