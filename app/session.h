// What carries over from one run to the next besides the list files: the
// player's choices and the game in progress at close.
#pragma once

#include <windows.h>

#include <optional>

#include "pictures/image_list.h"
#include "storage/saved_game.h"

// Start-up: the board size, rule and last name the player chose before.
void LoadSettings();
// Keeps the board size, rule and last name typed as they are now.
void SaveSettings();

// Start-up: the game saved at the last close, taken from its file; the
// first picture comes from it when it loads and fits as before.
std::optional<SavedGame> TakeSavedGameAtStart();
PictureChange LoadSavedGamePicture(HWND window, const SavedGame& game);
// Once the card back is there: the saved arrangement on the board, the clock
// going on from the time played.
void ResumeSavedGame(HWND window, const SavedGame& game);

// Close: a game in progress is saved, otherwise no saved game is left.
void SaveGameInProgress();
// Windows ends the session: what a close saves is saved now, as no
// WM_DESTROY follows.
void SaveAtSessionEnd();
