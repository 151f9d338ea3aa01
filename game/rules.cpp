// The rules of play.
#include "game/rules.h"

void StartPlay(Play& play) {
    play.playing = true;
    play.firstPick = -1;
    play.secondPick = -1;
}

void StopPlay(Play& play) {
    play.playing = false;
    play.revealPending = false;
    play.firstPick = -1;
    play.secondPick = -1;
}

int CellAtPoint(int x, int y, int viewWidth, int viewHeight, int columns, int rows) {
    if (x == 0 && y == 0) return -1;
    if (x < 0 || y < 0 || columns <= 0 || rows <= 0) return -1;
    const ViewSize cell = CellSizeOf(viewWidth, viewHeight, columns, rows);
    if (cell.width <= 0 || cell.height <= 0) return -1;
    // The client area may be a few pixels larger than the board cut to whole
    // cells; clicks there belong to no cell.
    if (x >= cell.width * columns || y >= cell.height * rows) return -1;
    return (y / cell.height) * columns + x / cell.width;
}

int CellShows(const Board& board, const Play& play, int cell) {
    const int piece = board.cellOrder[cell];
    const bool faceUp = cell == play.firstPick || cell == play.secondPick || (board.easyMode && piece == cell);
    return faceUp ? piece : kCardBack;
}

ClickOutcome ApplyCellClick(Board& board, Play& play, int cell, uint32_t tickNow) {
    if (play.firstPick < 0) {
        play.firstPick = cell;
        return ClickOutcome::Picked;
    }
    if (cell == play.firstPick && play.secondPick < 0) {
        play.firstPick = -1;
        return ClickOutcome::PickTakenBack;
    }
    if (cell == play.secondPick) {
        const int piece = board.cellOrder[play.firstPick];
        board.cellOrder[play.firstPick] = board.cellOrder[play.secondPick];
        board.cellOrder[play.secondPick] = piece;
        play.revealPending = true;
        if (IsSolved(board)) {
            play.playing = false;
            play.endTick = StampTick(tickNow);
            return ClickOutcome::Solved;
        }
        return ClickOutcome::Exchanged;
    }
    if (play.secondPick < 0) {
        play.secondPick = cell;
        return ClickOutcome::Picked;
    }
    play.firstPick = -1;
    play.secondPick = -1;
    return ClickOutcome::PicksCleared;
}

uint32_t StampTick(uint32_t tickNow) { return tickNow != 0 ? tickNow : 1u; }

uint32_t ElapsedMilliseconds(uint32_t startTick, uint32_t endTick) { return endTick - startTick; }

bool ClearIsDue(const Play& play) { return play.startTick != 0 && play.endTick != 0; }

void DropPicksOutsideBoard(Play& play, int cellCount) {
    if (play.firstPick >= cellCount || play.secondPick >= cellCount) {
        play.firstPick = -1;
        play.secondPick = -1;
    }
}
