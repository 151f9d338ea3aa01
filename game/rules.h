// The rules of play: mapping a click to a cell, picking, exchanging, ending a reveal.
#pragma once

#include <cstdint>

#include "game/board.h"

// What is picked right now and the state of the game in progress.
struct Play {
    int firstPick = -1;
    int secondPick = -1;
    bool playing = false;
    bool revealPending = false;
    uint32_t startTick = 0;  // tick of the Start command, 0 = unset
    uint32_t endTick = 0;    // tick of the solving exchange, 0 = unset
};

// A new game: playing, nothing picked. Its start tick is stamped once a
// running reveal has ended, since the end of a celebration clears it.
void StartPlay(Play& play);
// No game: not playing, no reveal waited for, nothing picked.
void StopPlay(Play& play);

// The cell under the client point (x, y), or -1 when the click is to be
// ignored: the client origin, a point outside the cut view, or a board
// without area.
int CellAtPoint(int x, int y, int viewWidth, int viewHeight, int columns, int rows);

// What a cell of the board in play shows: the piece lying in it when it is
// picked or, in easy mode, at home; the card back otherwise.
constexpr int kCardBack = -1;
int CellShows(const Board& board, const Play& play, int cell);

enum class ClickOutcome {
    Picked,         // first or second pick made
    PickTakenBack,  // the only pick clicked again
    PicksCleared,   // a third cell or the first of two picks clicked
    Exchanged,      // pieces swapped; a 700 ms reveal follows
    Solved,         // pieces swapped and every piece is home
};

// Applies a click on `cell` (0 to CellCount - 1). `tickNow` stamps endTick
// when the exchange solves the board.
ClickOutcome ApplyCellClick(Board& board, Play& play, int cell, uint32_t tickNow);

// A tick usable as a stamp: 0 means unset, so a counter reading of 0 becomes 1.
uint32_t StampTick(uint32_t tickNow);

// Milliseconds between two ticks, correct across the wrap of the counter.
uint32_t ElapsedMilliseconds(uint32_t startTick, uint32_t endTick);

// True when a celebration is due: both ticks are set.
bool ClearIsDue(const Play& play);

// Clears both picks when either lies outside a board of `cellCount` cells,
// as happens when a running game is reshuffled onto a smaller board.
void DropPicksOutsideBoard(Play& play, int cellCount);
