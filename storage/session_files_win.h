// The two files that carry a session over to the next start, beside the
// program: the settings (kanoze.ini) and the game in progress (kanoze.sav).
#pragma once

#include <optional>
#include <string>

#include "storage/saved_game.h"
#include "storage/settings.h"

struct SessionFiles {
    std::string settingsPath;
    std::string savedGamePath;
};

// Both files in the program's directory.
SessionFiles LocateSessionFiles();

// The settings file; one that is missing or cannot be read gives the defaults.
Settings ReadSettings(const SessionFiles& files);
// Written whole, the way the lists are, keeping whatever else the file
// holds; false when it could not be (a file held by another program is not
// written over).
bool WriteSettings(const SessionFiles& files, const Settings& settings);

// The saved game, read whole. It stays on disk for as long as its game is
// played: only the end of the game deletes it. A damaged file is deleted as
// no game; one that cannot be read now (another program holds it) is left.
std::optional<SavedGame> ReadSavedGame(const SessionFiles& files);
// Written whole, the way the lists are, so a write cut short by a crash
// leaves the old file or the new one.
bool WriteSavedGame(const SessionFiles& files, const SavedGame& game);
void DeleteSavedGame(const SessionFiles& files);
