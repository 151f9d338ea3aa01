// The settings file and the saved game, composed from the modules' state.
#include "app/session.h"

#include <algorithm>

#include "app/game_state.h"
#include "game/game_win.h"
#include "pictures/image_list.h"
#include "storage/list_file_win.h"
#include "storage/session_files_win.h"

void LoadSettings() {
    g_state.session = LocateSessionFiles();
    const Settings settings = ReadSettings(g_state.session);
    g_state.board.columns = settings.columns;
    g_state.board.rows = settings.rows;
    g_state.board.easyMode = settings.easyMode;
    g_state.enteredName = settings.playerName;
}

void SaveSettings() {
    Settings settings;
    settings.columns = g_state.board.columns;
    settings.rows = g_state.board.rows;
    settings.easyMode = g_state.board.easyMode;
    settings.playerName = NameToOffer(g_state.enteredName);
    WriteSettings(g_state.session, settings);
}

std::optional<SavedGame> TakeSavedGameAtStart() { return TakeSavedGame(g_state.session); }

PictureChange LoadSavedGamePicture(HWND window, const SavedGame& game) {
    return LoadSavedPicture(window, g_state.pictures, g_state.screen, game.picturePath, game.pictureWidth,
                            game.pictureHeight);
}

void ResumeSavedGame(HWND window, const SavedGame& game) {
    Board& board = g_state.board;
    board.columns = game.columns;
    board.rows = game.rows;
    board.easyMode = game.easyMode;
    ShuffleBoard(board, g_state.screen);
    std::copy(game.cellOrder.begin(), game.cellOrder.end(), board.cellOrder);
    StartPlay(g_state.play);
    ContinuePlay(g_state.play, game.playedMs, GetTickCount());
    RECT area = {0, 0, g_state.screen.pictureWidth, g_state.screen.pictureHeight};
    InvalidateRect(window, &area, TRUE);
    DrawBoard(g_state.screen, board, g_state.play);
}

void SaveGameInProgress() {
    const Play& play = g_state.play;
    const Board& board = g_state.board;
    if (!play.playing || g_state.screen.picturePath.empty()) {
        DeleteSavedGame(g_state.session);
        return;
    }
    SavedGame game;
    game.picturePath = g_state.screen.picturePath;
    game.pictureWidth = g_state.screen.pictureWidth;
    game.pictureHeight = g_state.screen.pictureHeight;
    game.columns = board.columns;
    game.rows = board.rows;
    game.easyMode = board.easyMode;
    game.cellOrder.assign(board.cellOrder, board.cellOrder + CellCount(board));
    game.playedMs = PlayedMilliseconds(play, GetTickCount());
    WriteSavedGame(g_state.session, game);
}

void SaveAtSessionEnd() {
    SaveGameInProgress();
    SaveListFilesAtExit(g_state.listFiles, g_state.pictures.imageList, g_state.pictures.singleFileMode,
                        SoundList(g_state.music), g_state.highScores);
}
