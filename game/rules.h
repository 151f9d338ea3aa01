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

// The celebration of a cleared board. The rules reset its mode; the
// positions keep their values until the next celebration sets them.
struct ClearState {
    int clearMode = 0;  // 0 none, 1 slide-in, 2 marquee
    bool clearSliding = false;  // the texts still move; a marquee never stops
    int captionX = 0;
    int captionY = 0;
    int timeX = 0;
    int timeY = 0;
    int captionTargetX = 0;  // where the texts of a slide-in come to rest
    int timeTargetX = 0;
};

// The cell under a click whose lParam is `position` (client x in the low
// word, y in the high word), or -1 when the click is to be ignored: the
// client origin, a point outside the cut view, or a board without area.
int CellAtPoint(uint32_t position, int viewWidth, int viewHeight, int columns, int rows);

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

void ResetClearState(Play& play, ClearState& clear);

// State changes of the reveal timer's expiry. Returns true when it ended a
// celebration (the animation timer must then be stopped too).
bool EndRevealState(Play& play, ClearState& clear);

// Clears both picks when either lies outside a board of `cellCount` cells,
// as happens when a running game is reshuffled onto a smaller board.
void DropPicksOutsideBoard(Play& play, int cellCount);
