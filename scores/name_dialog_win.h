// A new best time and the dialog that asks for the player's name.
#pragma once

#include <windows.h>

#include <string>

#include "game/board.h"
#include "game/rules.h"
#include "scores/best_times.h"

// The record whose name is being asked for, while the name dialog is open.
struct NameEntry {
    HWND dialog = nullptr;  // the open name dialog; none otherwise
    bool easyMode = false;
    int columns = 0;
    int rows = 0;
};

// Records the finished game's time when the deal was ranked and the time
// beats the best time of its board size and mode, then asks for the name.
// True when a record was named: the caller saves it at once, not only at exit.
bool UpdateBestTime(HWND window, const Board& board, const Play& play, HighScoreTable& highScores,
                    std::string& enteredName, NameEntry& entry);

// Windows ends the session while the name dialog is open: the record takes
// the name the edit box holds now, as OK would have given it, never the
// previous holder's. True when a record was so named: the caller saves it.
bool NameRecordAtSessionEnd(NameEntry& entry, HighScoreTable& highScores, std::string& enteredName);
