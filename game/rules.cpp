// The rules of play.
#include "game/rules.h"

namespace {

// A tick usable as a stamp: 0 means unset, so a counter reading of 0 becomes 1.
uint32_t StampTick(uint32_t tickNow) {
    return tickNow != 0 ? tickNow : 1u;
}

}  // namespace

void StartPlay(Play& play) {
    play.playing = true;
    play.exchanges = 0;
    play.firstPick = -1;
    play.secondPick = -1;
    play.cursor = 0;
    play.pausedBy = 0;
    play.peeking = false;
}

void StopPlay(Play& play) {
    play.playing = false;
    play.revealPending = false;
    play.firstPick = -1;
    play.secondPick = -1;
    play.pausedBy = 0;
    play.peeking = false;
}

void StartClock(Play& play, uint32_t tickNow) {
    play.startTick = StampTick(tickNow);
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
    if (IsPaused(play)) return kCardBack;
    const int piece = board.cellOrder[cell];
    const bool faceUp =
        cell == play.firstPick || cell == play.secondPick || (board.easyMode && LooksLike(board, piece, cell));
    return faceUp ? piece : kCardBack;
}

ClickOutcome ApplyCellClick(Board& board, Play& play, int cell, uint32_t tickNow) {
    play.cursor = cell;
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
        ++play.exchanges;
        play.revealPending = true;
        play.revealTick = tickNow;
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

uint32_t ElapsedMilliseconds(uint32_t startTick, uint32_t endTick) {
    return endTick - startTick;
}

bool ClearIsDue(const Play& play) {
    return play.startTick != 0 && play.endTick != 0;
}

void EndRevealState(Play& play, RevealOf shown) {
    play.revealPending = false;
    if (shown == RevealOf::Solve) return;
    play.firstPick = -1;
    play.secondPick = -1;
}

void HoldRevealForCelebration(Play& play) {
    play.revealPending = true;
}

void ForgetGameTimes(Play& play) {
    play.startTick = 0;
    play.endTick = 0;
}

void DropPicksOutsideBoard(Play& play, int cellCount) {
    if (play.firstPick >= cellCount || play.secondPick >= cellCount) {
        play.firstPick = -1;
        play.secondPick = -1;
    }
    if (play.cursor >= cellCount) play.cursor = 0;
}

int MoveCursor(int cell, CursorMove move, int columns, int rows) {
    const int column = cell % columns, row = cell / columns;
    switch (move) {
    case CursorMove::Left:
        return column > 0 ? cell - 1 : cell;
    case CursorMove::Right:
        return column < columns - 1 ? cell + 1 : cell;
    case CursorMove::Up:
        return row > 0 ? cell - columns : cell;
    case CursorMove::Down:
        return row < rows - 1 ? cell + columns : cell;
    }
    return cell;
}

bool IsPaused(const Play& play) {
    return play.pausedBy != 0;
}

bool PausePlay(Play& play, PauseReason reason, uint32_t tickNow) {
    if (!play.playing) return false;
    const bool wasRunning = !IsPaused(play);
    play.pausedBy |= static_cast<unsigned>(reason);
    play.peeking = false;
    if (wasRunning) play.pauseTick = tickNow;
    return wasRunning;
}

bool ResumePlay(Play& play, PauseReason reason, uint32_t tickNow) {
    if (!IsPaused(play)) return false;
    play.pausedBy &= ~static_cast<unsigned>(reason);
    if (IsPaused(play)) return false;
    // The paused time is cut out of the game: the clock and the reveal
    // both go on from where they stood.
    const uint32_t pausedMs = tickNow - play.pauseTick;
    if (play.startTick != 0) play.startTick = StampTick(play.startTick + pausedMs);
    play.revealTick += pausedMs;
    return true;
}

bool TogglePause(Play& play, uint32_t tickNow) {
    if (!IsPaused(play)) return PausePlay(play, PauseReason::Player, tickNow);
    play.pausedBy = static_cast<unsigned>(PauseReason::Player);
    return ResumePlay(play, PauseReason::Player, tickNow);
}

bool Peek(Play& play, bool held) {
    if (held == play.peeking || (held && (!play.playing || IsPaused(play)))) return false;
    play.peeking = held;
    // A game solved while peeking has its celebration on the screen now.
    return play.playing;
}

bool FollowInput(Play& play, InputBy input) {
    const bool shown = input == InputBy::Keyboard;
    if (shown == play.keyboardCues) return false;
    play.keyboardCues = shown;
    return play.playing && !IsPaused(play);
}

uint32_t RevealMsLeft(const Play& play, uint32_t tickNow) {
    const uint32_t shown = tickNow - play.revealTick;
    return shown < kRevealMs ? kRevealMs - shown : 1u;
}

uint32_t PlayedMilliseconds(const Play& play, uint32_t tickNow) {
    return ElapsedMilliseconds(play.startTick, IsPaused(play) ? play.pauseTick : tickNow);
}

void ContinueExchanges(Play& play, int exchanges) {
    play.exchanges = exchanges > 0 ? exchanges : 0;
}

void ContinuePlay(Play& play, uint32_t playedMs, uint32_t tickNow) {
    play.startTick = StampTick(tickNow - (playedMs < kMaxPlayedMs ? playedMs : kMaxPlayedMs));
}
