// The board and the rules on the window: shuffling with the clock, clicks, the board view.
#pragma once

#include <windows.h>

#include "display/views_win.h"
#include "game/board.h"
#include "game/rules.h"

// Deals the board afresh onto the picture: the view is cut to whole cells,
// the card back stretched to one of them, and the deal judged ranked or not.
int ShuffleBoard(Board& board, Screen& screen);
// The board as it lies, on a picture fitted anew: the view cut to whole
// cells of it, the card back stretched to one of them and the look-alike
// pieces found again.
void FitBoardToPicture(Board& board, Screen& screen);
// A click at the client point (x, y) of a game in play; 0 when it named no
// cell or the game is paused.
int HandleCellClick(HWND window, int x, int y, Board& board, Play& play, Screen& screen);
int ClearPicks(const Board& board, Play& play, Screen& screen);

// The board view: each cell as CellShows says, as one frame, with the
// cursor's frame on its cell while the keyboard is in use; a paused game's board face down under a line
// that says so; the whole picture while the player peeks.
int DrawBoard(Screen& screen, const Board& board, const Play& play);
// An arrow key: the cursor steps one cell and the board is drawn. 0 when no
// game is being played.
int MoveBoardCursor(Screen& screen, const Board& board, Play& play, CursorMove move);
// The client point in the middle of the cursor's cell, where Space and Enter click.
POINT CursorPoint(const Screen& screen, const Board& board, const Play& play);
// The board view while a game is played, the picture view otherwise.
int DrawCurrentView(Screen& screen, const Board& board, const Play& play);
