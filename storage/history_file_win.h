// history.txt beside the program: every game played to the end, one line each.
#pragma once

#include <string>
#include <vector>

#include "scores/history.h"

// The history file in the program's directory.
std::string HistoryFilePath();

// How the history names a picture: as the play-list would, relative to the
// program's folder `folder` when it lies inside it, else by its file name.
std::string HistoryPictureName(const std::string& folder, const std::string& path);

// The game's line added at the end of the file. False when it could not be
// (a read-only folder, a full disk): the game is simply not in the history.
bool AppendToHistory(const std::string& path, const FinishedGame& game);

// The games of the history, oldest first: a missing or unreadable file is an
// empty history, and of a very large one only the last games are read.
std::vector<FinishedGame> ReadHistory(const std::string& path);
