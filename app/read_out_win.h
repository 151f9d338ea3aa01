// The read-out of the game in progress at the right end of the menu bar.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

// What the read-out keeps between its updates.
struct ReadOutState {
    // The time played when a saved game came back; none for a game started here.
    std::optional<uint32_t> resumedAtMs;
    bool ticking = false;  // TIMER_READ_OUT runs
};

// The read-out follows the game: shown, and updated once a second, while a
// game is on and the player wants it, where it fits on the menu bar's row;
// gone otherwise.
void RefreshReadOut(HWND window);
// The read-out leaves the menu bar before the window is fitted to a
// picture, so that only the menu's own items are measured; the next
// refresh brings it back.
void TakeReadOutOff(HWND window);
// A saved game came back: "resumed" shows for its first seconds.
void NoteResumedGame();
// A game started here.
void NoteNewGame();
// The settings menu's item: the read-out off or on, kept in kanoze.ini.
void ToggleReadOut(HWND window);
// The item's check as the player chose.
void ShowReadOutChoice(HWND window);
