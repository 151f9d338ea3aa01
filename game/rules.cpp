// The rules of play.
#include "game/rules.h"

int CellAtPoint(uint32_t position, int viewWidth, int viewHeight, int columns, int rows) {
    const int x = static_cast<int>(position & 0xFFFFu);
    const int y = static_cast<int>((position >> 16) & 0xFFFFu);
    if (x == 0 && y == 0) return -1;
    if (columns <= 0 || rows <= 0) return -1;
    const int cellWidth = viewWidth / columns;
    const int cellHeight = viewHeight / rows;
    if (cellWidth <= 0 || cellHeight <= 0) return -1;
    // The client area may be a few pixels larger than the board cut to whole
    // cells; clicks there belong to no cell.
    if (x >= cellWidth * columns || y >= cellHeight * rows) return -1;
    return (y / cellHeight) * columns + x / cellWidth;
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

void ResetClearState(Play& play, ClearState& clear) {
    clear.clearMode = 0;
    clear.clearSliding = false;
    play.startTick = 0;
    play.endTick = 0;
}

bool EndRevealState(Play& play, ClearState& clear) {
    play.revealPending = false;
    if (clear.clearMode != 0) {
        ResetClearState(play, clear);
        return true;
    }
    play.firstPick = -1;
    play.secondPick = -1;
    return false;
}

void DropPicksOutsideBoard(Play& play, int cellCount) {
    if (play.firstPick >= cellCount || play.secondPick >= cellCount) {
        play.firstPick = -1;
        play.secondPick = -1;
    }
}
