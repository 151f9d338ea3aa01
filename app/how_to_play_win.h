// The How to Play page: the rules and every key, in the player's language.
#pragma once

#include <windows.h>

// The page, modal over `window`; it only shows, and closes with OK, Esc or
// its close box.
void ShowHowToPlay(HWND window);
