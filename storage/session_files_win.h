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

// The settings file through the profile functions; a file that is missing or
// cannot be read gives the defaults.
Settings ReadSettings(const SessionFiles& files);
bool WriteSettings(const SessionFiles& files, const Settings& settings);

// The saved game, read whole and taken away: the game lives on in the program
// from here on, and a close that finds one in progress writes it again. A
// damaged file is dropped as no game.
std::optional<SavedGame> TakeSavedGame(const SessionFiles& files);
// Written whole, the way the lists are, so a close cut short leaves the old
// file or the new one.
bool WriteSavedGame(const SessionFiles& files, const SavedGame& game);
void DeleteSavedGame(const SessionFiles& files);
