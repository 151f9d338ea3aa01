// The settings file and the saved game, composed from the modules' state.
#include "app/session_win.h"

#include <algorithm>

#include "app/game_state_win.h"
#include "game/game_win.h"
#include "pictures/image_list_win.h"
#include "storage/files/files_win.h"
#include "storage/history_file_win.h"
#include "storage/list_file_win.h"
#include "storage/session_files_win.h"

namespace {

bool IsRanked(const SavedGame& game, const Board& board) {
    return game.rank == SavedRank::NotSaid ? IsRankedDeal(board) : game.rank == SavedRank::Ranked;
}

// A game taken up in a window the player does not see yet waits for them.
void PauseIfPutAway(HWND window, Play& play) {
    const DWORD now = GetTickCount();
    if (IsIconic(window)) PausePlay(play, PauseReason::Minimised, now);
    if (GetForegroundWindow() != window) PausePlay(play, PauseReason::Away, now);
}

}  // namespace

void LoadSettings() {
    g_state.session = LocateSessionFiles();
    const Settings settings = ReadSettings(g_state.session);
    g_state.board.columns = settings.columns;
    g_state.board.rows = settings.rows;
    g_state.board.easyMode = settings.easyMode;
    g_state.enteredName = settings.playerName;
    g_state.showReadOut = settings.showReadOut;
    SetMusicVolume(g_state.music, settings.volumeStep);
}

void SaveSettings() {
    Settings settings;
    settings.columns = g_state.board.columns;
    settings.rows = g_state.board.rows;
    settings.easyMode = g_state.board.easyMode;
    settings.playerName = NameToOffer(g_state.enteredName);
    settings.showReadOut = g_state.showReadOut;
    settings.volumeStep = MusicVolume(g_state.music);
    // Not kept when the file is out of reach: the choices still hold for this run.
    WriteSettings(g_state.session, settings);
}

std::optional<SavedGame> ReadSavedGameAtStart() { return ReadSavedGame(g_state.session); }

SavedPicture LoadSavedGamePicture(HWND window, const SavedGame& game) {
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
    board.ranked = IsRanked(game, board);
    StartPlay(g_state.play);
    ContinuePlay(g_state.play, game.playedMs, GetTickCount());
    ContinueExchanges(g_state.play, game.exchanges);
    PauseIfPutAway(window, g_state.play);
    RECT area = {0, 0, g_state.screen.pictureWidth, g_state.screen.pictureHeight};
    InvalidateRect(window, &area, TRUE);
    DrawBoard(g_state.screen, board, g_state.play);
}

void SaveGameInProgress() {
    const Play& play = g_state.play;
    const Board& board = g_state.board;
    if (!play.playing || g_state.screen.picturePath.empty()) return;
    SavedGame game;
    game.picturePath = ListEntryForFile(g_state.pictures.entryFolder, g_state.screen.picturePath);
    game.pictureWidth = g_state.screen.pictureWidth;
    game.pictureHeight = g_state.screen.pictureHeight;
    game.columns = board.columns;
    game.rows = board.rows;
    game.easyMode = board.easyMode;
    game.cellOrder.assign(board.cellOrder, board.cellOrder + CellCount(board));
    game.playedMs = PlayedMilliseconds(play, GetTickCount());
    game.exchanges = play.exchanges;
    game.rank = board.ranked ? SavedRank::Ranked : SavedRank::Unranked;
    // A write that fails (a full disk) leaves the last one written: the game
    // goes on, and the next exchange or the close tries again.
    WriteSavedGame(g_state.session, game);
}

void EndSavedGame() { DeleteSavedGame(g_state.session); }

void AddGameToHistory() {
    const Board& board = g_state.board;
    SYSTEMTIME now;
    GetLocalTime(&now);
    FinishedGame game;
    game.when = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
    game.columns = board.columns;
    game.rows = board.rows;
    game.easyMode = board.easyMode;
    game.seconds = ElapsedSeconds(g_state.play.startTick, g_state.play.endTick);
    game.ranking = board.ranked ? Ranking::Ranked : Ranking::Unranked;
    game.picture = HistoryPictureName(g_state.pictures.entryFolder, g_state.screen.picturePath);
    // A history that cannot be written (a read-only folder, a full disk)
    // misses this game and nothing else; no word of it holds up the celebration.
    AppendToHistory(HistoryFilePath(), game);
}

void SaveAtSessionEnd() {
    if (NameRecordAtSessionEnd(g_state.nameEntry, g_state.highScores, g_state.enteredName)) {
        // The last chance to write it: one that cannot be written is lost
        // with the session, as at any exit.
        SaveBestTime(g_state.listFiles, g_state.pictures.imageList, ModeOf(g_state.pictures), g_state.highScores);
        SaveSettings();
    }
    SaveGameInProgress();
    SaveListFilesAtExit(g_state.listFiles, g_state.pictures.imageList, ModeOf(g_state.pictures),
                        SoundList(g_state.music), g_state.highScores);
}
