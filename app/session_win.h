// What carries over from one run to the next besides the list files: the
// player's choices and the game in progress.
#pragma once

#include <windows.h>

#include <optional>

#include "pictures/image_list_win.h"
#include "storage/saved_game.h"

// Start-up: the board size, rule and last name the player chose before.
void LoadSettings();
// Keeps the board size, rule and last name typed as they are now.
void SaveSettings();

// Start-up: the game saved in kanoze.sav, which stays there while it is
// played; the first picture comes from it when it loads and fits as before.
std::optional<SavedGame> ReadSavedGameAtStart();
SavedPicture LoadSavedGamePicture(HWND window, const SavedGame& game);
// Once the card back is there: the saved arrangement on the board, the clock
// going on from the time played. A window that is minimised or not in front
// takes the game up paused, as a window put away later pauses it.
void ResumeSavedGame(HWND window, const SavedGame& game);

// The game in play written to kanoze.sav, after each exchange and at close,
// so that a crash loses at most the last exchange. Nothing when no game is
// in play: a saved game kept for the next start stays.
void SaveGameInProgress();
// The game of kanoze.sav has ended (solved, replaced by another, or its
// picture gone): the file goes.
void EndSavedGame();
// A game played to the end joins the history file.
void AddGameToHistory();
// Windows ends the session: a name being typed names its record, and what a
// close saves is saved now, as no WM_DESTROY follows.
void SaveAtSessionEnd();
