// The rules of play: mapping a click to a cell, picking, exchanging, ending a reveal.
#pragma once

#include <cstdint>

#include "game/board.h"

constexpr unsigned kRevealMs = 700;  // how long an exchange shows both pieces
// The longest time a game can have been played: half the tick counter's
// range, so that a game taken up again still has years of room before its
// clock could wrap. A saved game claiming more was never played.
constexpr uint32_t kMaxPlayedMs = 0x7FFFFFFFu;

// Why a game is paused; any one of them keeps it paused.
enum class PauseReason : unsigned {
    Player = 1,     // P or the Pause key
    Minimised = 2,  // the window is minimised
    Away = 4,       // another program is active
};

// What is picked right now and the state of the game in progress.
struct Play {
    int firstPick = -1;
    int secondPick = -1;
    bool playing = false;
    bool revealPending = false;
    uint32_t startTick = 0;  // tick of the Start command, 0 = unset
    uint32_t endTick = 0;    // tick of the solving exchange, 0 = unset
    // The cell the keyboard acts on: top left at every Start, moved by the
    // arrow keys and by every click on a cell.
    int cursor = 0;
    // PauseReason bits; while any is set the board is covered, clicks do
    // nothing and the clock stands still.
    unsigned pausedBy = 0;
    uint32_t pauseTick = 0;   // when the pause began
    uint32_t revealTick = 0;  // when the last exchange began its reveal
    int exchanges = 0;        // exchanges made in this game
    bool peeking = false;     // Tab held: the whole picture shows
    // The cursor's frame shows: the player has used the keyboard since the
    // last mouse click, as Windows shows its keyboard cues. Not reset by a
    // new game: it follows the player's hand, not the board.
    bool keyboardCues = false;
};

// A new game: playing, nothing picked, no exchange made. Its start tick is stamped once a
// running reveal has ended, since the end of a celebration clears it.
void StartPlay(Play& play);
// No game: not playing, no reveal waited for, nothing picked, no pause.
void StopPlay(Play& play);
// The clock of a new game starts at `tickNow`.
void StartClock(Play& play, uint32_t tickNow);

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

// Milliseconds between two ticks, correct across the wrap of the counter.
uint32_t ElapsedMilliseconds(uint32_t startTick, uint32_t endTick);

// True when a celebration is due: both ticks are set.
bool ClearIsDue(const Play& play);

// What a reveal that ends was showing.
enum class RevealOf {
    Exchange,  // an exchange: both picks turn face down
    Solve,     // the solved board during its celebration: the picks stay
};
// The reveal's end: the board takes clicks again.
void EndRevealState(Play& play, RevealOf shown);
// The solved board waits for its celebration to end before it takes a click.
void HoldRevealForCelebration(Play& play);
// The game's ticks cleared, so that its celebration is not due again.
void ForgetGameTimes(Play& play);

// Clears both picks when either lies outside a board of `cellCount` cells,
// as happens when a running game is reshuffled onto a smaller board; a
// cursor left outside goes back to the top left.
void DropPicksOutsideBoard(Play& play, int cellCount);

enum class CursorMove { Left, Right, Up, Down };

// The cell one step from `cell` on a board of `columns` x `rows`; at an edge
// the cursor stays where it is.
int MoveCursor(int cell, CursorMove move, int columns, int rows);

bool IsPaused(const Play& play);

// Pauses a game in play for `reason`. True when the game was running until
// now: its reveal timer must then stop and the board be covered.
bool PausePlay(Play& play, PauseReason reason, uint32_t tickNow);

// Takes `reason` back. True when nothing keeps the game paused any more: the
// clock goes on from where it stood, and a reveal that was running waits its
// remaining time (RevealMsLeft).
bool ResumePlay(Play& play, PauseReason reason, uint32_t tickNow);

// P and the Pause key: a paused game resumes whatever paused it, a running
// one pauses. True when the game changed between running and paused.
bool TogglePause(Play& play, uint32_t tickNow);

// Tab held (true) or let go: the whole picture shows in place of the board
// while a game runs and is not paused. True when the view must be drawn again.
bool Peek(Play& play, bool held);

// What the player's last input came from.
enum class InputBy { Keyboard, Mouse };
// The cursor's frame shows from the first key until the next click. True
// when it appeared or went on a board in play, which must then be drawn again.
bool FollowInput(Play& play, InputBy input);

// Milliseconds the reveal of the last exchange still has to run, 1 to 700.
uint32_t RevealMsLeft(const Play& play, uint32_t tickNow);

// The time the game has been playable so far: paused time does not count.
uint32_t PlayedMilliseconds(const Play& play, uint32_t tickNow);

// A game that has been played for `playedMs` (at most kMaxPlayedMs; more is
// taken as that) goes on from now: its start tick is set back so that the
// clock counts on from there.
void ContinuePlay(Play& play, uint32_t playedMs, uint32_t tickNow);
// The same game counts on from the `exchanges` it had made (none when fewer than 0).
void ContinueExchanges(Play& play, int exchanges);
