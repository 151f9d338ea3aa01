// The one record of the program's state, grouped by the module that owns each part.
#pragma once

#include <windows.h>
#include <wincodec.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/com_ptr_win.h"
#include "app/read_out_win.h"
#include "display/views_win.h"
#include "game/board.h"
#include "game/rules.h"
#include "music/music_win.h"
#include "pictures/image_list_win.h"
#include "scores/best_times.h"
#include "scores/celebration.h"
#include "scores/name_dialog_win.h"
#include "scores/records_table.h"
#include "scores/score_roll.h"
#include "storage/list_saving.h"
#include "storage/session_files_win.h"

struct GameState {
    // Application shell
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    // Start-up is done: from here on the window's end saves the lists.
    bool running = false;
    // The menu bar shows the game's read-out, as the player chose.
    bool showReadOut = true;
    ReadOutState readOut;

    // Board: shape, mode, arrangement
    Board board;

    // Picks and the game in progress; the celebration's mode
    Play play;
    ClearState clear;

    // What is on the screen: the presenter, the play area, the picture and the card back
    Screen screen;

    // The picture play-list, single-file mode and the decoder
    PictureSource pictures;

    // Best times, and the record whose name is being asked for
    HighScoreTable highScores;
    std::string enteredName;
    NameEntry nameEntry;
    // The entry of the player's latest record in this run, if any
    std::optional<RecordSlot> lastRecord;

    // High-score roll
    ScoreRoll roll;

    // Music: the sound play-list and its filter graph
    MusicPlayer music;

    // The two list files: where they are and what each save may write
    ListFiles listFiles;

    // The settings file and the saved game beside the program
    SessionFiles session;
};

extern GameState g_state;
