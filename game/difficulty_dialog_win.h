// The dialog that sets the board size and the rule.
#pragma once

#include <windows.h>

#include "game/board.h"

// Shows the dialog over `window`; OK sets the board's size and rule.
INT_PTR ChooseDifficulty(HWND window, Board& board);
