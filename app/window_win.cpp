// The main window's messages and menu commands: the one place that turns
// them into calls on the modules, and their results into the next calls.
#include "app/app_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "app/game_state_win.h"
#include "app/how_to_play_win.h"
#include "app/read_out_win.h"
#include "app/session_win.h"
#include "dialogs/dialog_win.h"
#include "dialogs/dropped_files_win.h"
#include "display/presenter_win.h"
#include "display/views_win.h"
#include "game/difficulty_dialog_win.h"
#include "game/game_win.h"
#include "music/music_win.h"
#include "pictures/image_list_win.h"
#include "pictures/load_picture_win.h"
#include "res/resource.h"
#include "res/texts_win.h"
#include "scores/best_times_dialog_win.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_win.h"
#include "storage/history_file_win.h"
#include "storage/list_file_win.h"

namespace {

// Grays (false) or enables (true) a menu command.
void SetMenuCommand(HWND window, UINT command, MenuItem item) {
    // The menu is the window's own and the command one of its items: nothing to fail.
    EnableMenuItem(GetMenu(window), command,
                   MF_BYCOMMAND | (item == MenuItem::Enabled ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

// A reveal's end: the two picks turn face down, or, after a solve, the
// celebration ends and its animation timer with it.
void EndRevealAndCelebration(HWND window) {
    const bool celebrating = g_state.clear.clearMode != ClearMode::None;
    EndRevealState(g_state.play, celebrating ? RevealOf::Solve : RevealOf::Exchange);
    if (!celebrating) return;
    ResetClearState(g_state.play, g_state.clear);
    KillTimer(window, TIMER_ANIMATION);
}

// The reveal timer's expiry: the two picks turn face down, or the
// celebration ends.
int EndReveal(HWND window) {
    KillTimer(window, TIMER_REVEAL);
    EndRevealAndCelebration(window);
    DrawCurrentView(g_state.screen, g_state.board, g_state.play);
    return 1;
}

// What the view rests on when nothing moves over it: the covered board of a
// paused game, whose picture stays out of sight; else the picture.
void ShowRestingView() {
    if (IsPaused(g_state.play)) {
        DrawBoard(g_state.screen, g_state.board, g_state.play);
    } else {
        DrawPicture(g_state.screen);
    }
}

// The game in play, if any, ends, its pause with it, and so does its copy in
// kanoze.sav; a saved game kept for the next start is left alone.
void EndGame() {
    if (g_state.play.playing) EndSavedGame();
    StopPlay(g_state.play);
}

// The cursor's frame follows the player's hand: shown from a key on, gone at a click.
void FollowHand(InputBy input) {
    if (FollowInput(g_state.play, input)) DrawBoard(g_state.screen, g_state.board, g_state.play);
}

void InvalidatePicture(HWND window) {
    RECT area = {0, 0, g_state.screen.pictureWidth, g_state.screen.pictureHeight};
    InvalidateRect(window, &area, TRUE);
}

// What an earlier game left running ends before a new game begins or the
// picture changes: a reveal, the celebration, the roll. None of their timers
// reaches what comes next.
void EndRunningShows(HWND window) {
    TakeReadOutOff(window);  // the picture may change: the menu's own items are measured alone
    KillTimer(window, TIMER_REVEAL);
    KillTimer(window, TIMER_ANIMATION);
    if (g_state.play.revealPending || g_state.clear.clearMode != ClearMode::None) EndRevealAndCelebration(window);
    g_state.roll.scoreRollActive = false;
}

void StartGame(HWND window) {
    EndRunningShows(window);
    ShuffleBoard(g_state.board, g_state.screen);
    StartPlay(g_state.play);
    StartClock(g_state.play, GetTickCount());
    // The line that says how to begin has done its work.
    SetPictureBand(g_state.screen, 0);
    NoteNewGame();
    EndSavedGame();  // another game: the one kanoze.sav kept is over
    InvalidatePicture(window);
    DrawBoard(g_state.screen, g_state.board, g_state.play);
    RefreshReadOut(window);
}

void EditImageList(HWND window) {
    ImageListEdit edit = {&g_state.pictures, &g_state.listFiles};
    if (ShowDialog(window, IDD_IMAGE_LIST, ImageListDlgProc, reinterpret_cast<LPARAM>(&edit)) == IDOK) {
        // A list that cannot be written now is still the one played, and
        // the exit tries to save it again.
        SaveEditedImageList(g_state.listFiles, g_state.pictures.imageList, g_state.highScores);
    }
}

// The new board size reaches a running game at once; a pick that no longer
// lies on the smaller board is dropped with its partner.
void ChangeDifficulty(HWND window) {
    // The dialog's up-down arrows: without them it cannot open, and the
    // player is told why (the board is still dealt again, as after Cancel).
    if (!RegisterCommonControls(ICC_UPDOWN_CLASS)) {
        MessageBoxW(window, LoadText(IDS_NO_CONTROLS).c_str(), L"Kanoze", MB_OK | MB_ICONERROR);
    } else if (ChooseDifficulty(window, g_state.board) == IDOK) {
        SaveSettings();
    }
    if (!g_state.play.playing) return;
    ShuffleBoard(g_state.board, g_state.screen);
    DropPicksOutsideBoard(g_state.play, CellCount(g_state.board));
    SaveGameInProgress();  // a new arrangement
    InvalidatePicture(window);
    DrawBoard(g_state.screen, g_state.board, g_state.play);
    RefreshReadOut(window);
}

// The roll starts (again) just below the view; a celebration or reveal ends first.
void ShowScoreRoll(HWND window) {
    StartScoreRoll(g_state.roll, g_state.screen.viewWidth, g_state.screen.viewHeight);
    if (g_state.play.revealPending) EndReveal(window);
    SetTimer(window, TIMER_ANIMATION, kRollPeriodMs, nullptr);
}

// Every best time and the history's sums, in two list views of the common
// controls: without them the dialog cannot open, and the player is told why.
void ShowBestTimesDialog(HWND window) {
    if (!RegisterCommonControls(ICC_LISTVIEW_CLASSES)) {
        MessageBoxW(window, LoadText(IDS_NO_CONTROLS).c_str(), L"Kanoze", MB_OK | MB_ICONERROR);
        return;
    }
    ShowBestTimes(window, g_state.highScores, g_state.lastRecord, ReadHistory(HistoryFilePath()));
}

void ShowScores(HWND window, UINT command) {
    if (command == IDM_BEST_TIMES) {
        ShowBestTimesDialog(window);
    } else {
        ShowScoreRoll(window);
    }
}

// A single picture in place of the list ends the game in play.
void ShowOpenedPicture(HWND window, const PictureChange& change) {
    if (change.loaded) EndGame();
    ShowPictureChange(window, change);
    if (change.loaded) DrawPicture(g_state.screen);
}

void OpenFile(HWND window) {
    EndRunningShows(window);
    ShowOpenedPicture(window,
                      OpenSingleFile(window, g_state.pictures, g_state.screen, g_state.listFiles, g_state.highScores));
}

void ReloadList(HWND window) {
    EndRunningShows(window);
    ShowPictureChange(window,
                      ReloadImageList(window, g_state.pictures, g_state.screen, g_state.listFiles, g_state.highScores));
}

void NextPicture(HWND window) {
    EndRunningShows(window);
    ShowPictureChange(window, ShowNextListedPicture(window, g_state.pictures, g_state.screen));
}

SoundMenu SoundCommand(HWND window, UINT command) {
    switch (command) {
    case IDM_SOUND_START:
        return StartSound(g_state.music);
    case IDM_SOUND_STOP:
        return StopSound(g_state.music);
    default:
        return EditSoundList(window, g_state.music, g_state.listFiles);
    }
}

void SoundMenuCommand(HWND window, UINT command) { ShowSoundMenu(window, SoundCommand(window, command)); }

// The volume step of a Volume item: Loud is the last step, Mute step 0.
int VolumeStepOf(UINT command) {
    return kVolumeSteps - 1 - static_cast<int>(command - IDM_VOLUME_LOUD);
}

void ShowVolumeChoice(HWND window) {
    // By command: the items lie in the Sound menu's Volume submenu.
    CheckMenuRadioItem(GetMenu(window), IDM_VOLUME_LOUD, IDM_VOLUME_MUTE,
                       IDM_VOLUME_LOUD + static_cast<UINT>(kVolumeSteps - 1 - MusicVolume(g_state.music)),
                       MF_BYCOMMAND);
}

void ChooseVolume(HWND window, UINT command) {
    SetMusicVolume(g_state.music, VolumeStepOf(command));
    ShowVolumeChoice(window);
    SaveSettings();
}

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

// The Help menu's pages: they only show; however they end, nothing changes.
void ShowHelpPage(HWND window, UINT command) {
    if (command == IDM_HOW_TO_PLAY) {
        ShowHowToPlay(window);
    } else {
        ShowDialog(window, IDD_ABOUT, AboutDlgProc, 0);
    }
}

// What each menu command does, by its id; a command not listed (the read-out
// on the menu bar among them) is no command.
struct MenuCommand {
    UINT id;
    void (*run)(HWND window, UINT command);
};

const MenuCommand kMenuCommands[] = {
    {IDM_CLOSE, [](HWND window, UINT) { DestroyWindow(window); }},
    {IDM_OPEN_FILE, [](HWND window, UINT) { OpenFile(window); }},
    {IDM_START, [](HWND window, UINT) { StartGame(window); }},
    {IDM_ABOUT, ShowHelpPage},
    {IDM_HOW_TO_PLAY, ShowHelpPage},
    {IDM_DIFFICULTY, [](HWND window, UINT) { ChangeDifficulty(window); }},
    {IDM_IMAGE_LIST_EDIT, [](HWND window, UINT) { EditImageList(window); }},
    {IDM_IMAGE_LIST_RELOAD, [](HWND window, UINT) { ReloadList(window); }},
    {IDM_NEXT_PICTURE, [](HWND window, UINT) { NextPicture(window); }},
    {IDM_HIGH_SCORE, ShowScores},
    {IDM_BEST_TIMES, ShowScores},
    {IDM_SOUND_START, SoundMenuCommand},
    {IDM_SOUND_STOP, SoundMenuCommand},
    {IDM_SOUND_LIST_EDIT, SoundMenuCommand},
    {IDM_READ_OUT, [](HWND window, UINT) { ToggleReadOut(window); }},
    {IDM_NEXT_TUNE, [](HWND window, UINT) { ShowSoundMenu(window, NextTune(g_state.music)); }},
    {IDM_VOLUME_LOUD, ChooseVolume},
    {IDM_VOLUME_MEDIUM, ChooseVolume},
    {IDM_VOLUME_SOFT, ChooseVolume},
    {IDM_VOLUME_MUTE, ChooseVolume},
};

LRESULT OnCommand(HWND window, UINT command) {
    for (const MenuCommand& entry : kMenuCommands) {
        if (entry.id == command) {
            entry.run(window, command);
            break;
        }
    }
    return 0;
}

// The solved board: its game joins the history first, then the celebration
// begins and asks for a record's name.
void FinishGame(HWND window) {
    AddGameToHistory();
    const Board& board = g_state.board;
    if (!BeginClearSequence(window, board, g_state.play, g_state.clear, g_state.highScores, g_state.enteredName,
                            g_state.nameEntry, g_state.screen)) {
        return;
    }
    g_state.lastRecord = RecordSlot{board.easyMode, SizeIndex(board.columns, board.rows)};
    // A record is kept from the moment it is named, not only at exit; one
    // that cannot be written now waits in memory for the next save.
    SaveBestTime(g_state.listFiles, g_state.pictures.imageList, ModeOf(g_state.pictures), g_state.highScores);
    SaveSettings();  // the name, offered again next time
}

void OnLeftButton(HWND window, int x, int y) {
    Play& play = g_state.play;
    if (g_state.clear.clearMode != ClearMode::None) {
        KillTimer(window, TIMER_REVEAL);
        KillTimer(window, TIMER_ANIMATION);
        ResetClearState(play, g_state.clear);
        DrawPicture(g_state.screen);
        return;
    }
    if (g_state.roll.scoreRollActive) {
        KillTimer(window, TIMER_ANIMATION);
        g_state.roll.scoreRollActive = false;
        ShowRestingView();
        return;
    }
    const int exchanges = play.exchanges;
    if (play.playing && !play.revealPending) HandleCellClick(window, x, y, g_state.board, play, g_state.screen);
    // kanoze.sav follows the game: each exchange is kept, the solve ends it.
    if (play.exchanges != exchanges) {
        if (play.playing) {
            SaveGameInProgress();
        } else {
            EndSavedGame();
        }
    }
    if (ClearIsDue(play)) FinishGame(window);
    RefreshReadOut(window);
}

void OnRightButton() {
    if (g_state.play.playing && !g_state.play.revealPending) ClearPicks(g_state.board, g_state.play, g_state.screen);
}

// A game that goes on again: a reveal that was running waits out the rest of
// its time, and the board comes back.
void ContinueGame(HWND window) {
    if (g_state.play.revealPending) {
        SetTimer(window, TIMER_REVEAL, RevealMsLeft(g_state.play, GetTickCount()), nullptr);
    }
    DrawBoard(g_state.screen, g_state.board, g_state.play);
}

// A game that stops: its reveal stands still with the clock, and the board is covered.
void CoverGame(HWND window) {
    if (g_state.play.revealPending) KillTimer(window, TIMER_REVEAL);
    DrawBoard(g_state.screen, g_state.board, g_state.play);
}

void PauseGame(HWND window, PauseReason reason) {
    if (PausePlay(g_state.play, reason, GetTickCount())) CoverGame(window);
    RefreshReadOut(window);
}

void ResumeGame(HWND window, PauseReason reason) {
    if (ResumePlay(g_state.play, reason, GetTickCount())) ContinueGame(window);
    RefreshReadOut(window);
}

// Tab held: the whole picture instead of the board, while a game runs.
void PeekAtPicture(bool held) {
    if (Peek(g_state.play, held)) DrawBoard(g_state.screen, g_state.board, g_state.play);
}

// Minimised, the game pauses and the music goes quiet; restored, both go on.
LRESULT OnSize(HWND window, WPARAM kind) {
    if (kind == SIZE_MINIMIZED) {
        PauseGame(window, PauseReason::Minimised);
        HushSound(g_state.music);
    } else if (kind == SIZE_RESTORED) {
        ResumeGame(window, PauseReason::Minimised);
        ShowSoundMenu(window, WakeSound(g_state.music));
    }
    return 0;
}

CursorMove ArrowMove(WPARAM key) {
    switch (key) {
    case VK_LEFT:
        return CursorMove::Left;
    case VK_RIGHT:
        return CursorMove::Right;
    case VK_UP:
        return CursorMove::Up;
    default:
        return CursorMove::Down;
    }
}

// P and Pause: the game stops, or goes on where it stopped.
void TogglePauseKey(HWND window) {
    const bool wasPaused = IsPaused(g_state.play);
    if (!TogglePause(g_state.play, GetTickCount())) return;
    if (wasPaused) {
        ContinueGame(window);
    } else {
        CoverGame(window);
    }
    RefreshReadOut(window);
}

// The keys that work in a paused game too: F1 opens How to Play, as the Help
// menu's item does; P and Pause pause and go on.
void AnyTimeKey(HWND window, WPARAM key) {
    if (key == VK_F1) {
        ShowHowToPlay(window);
    } else {
        TogglePauseKey(window);
    }
}

// The keys that play on the board show the cursor's frame.
bool IsBoardKey(WPARAM key) {
    return key == VK_F2 || key == VK_SPACE || key == VK_RETURN || key == VK_ESCAPE ||
           (key >= VK_LEFT && key <= VK_DOWN);
}

// F2 starts a game as the Start command does, and only while it can be chosen.
void StartKey(HWND window) {
    if (!(GetMenuState(GetMenu(window), IDM_START, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))) StartGame(window);
}

// The keyboard's way through a game: F1 shows how to play, F2 starts, the
// arrows move the cursor, Space and Enter click its cell, Esc takes the picks
// back, Tab peeks, P and Pause pause. A paused game takes no key but F1 and
// the one that goes on.
LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM flags) {
    if (key == 'P' || key == VK_PAUSE || key == VK_F1) {
        AnyTimeKey(window, key);
        return 0;
    }
    if (IsPaused(g_state.play)) return 0;
    if (IsBoardKey(key)) FollowHand(InputBy::Keyboard);
    switch (key) {
    case VK_F2:
        StartKey(window);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        MoveBoardCursor(g_state.screen, g_state.board, g_state.play, ArrowMove(key));
        break;
    case VK_SPACE:
    case VK_RETURN: {
        const POINT point = CursorPoint(g_state.screen, g_state.board, g_state.play);
        OnLeftButton(window, point.x, point.y);
        break;
    }
    case VK_ESCAPE:
        OnRightButton();
        break;
    case VK_TAB:
        if (!(flags & (1 << 30))) PeekAtPicture(true);  // not the key's repeats
        break;
    default:
        break;
    }
    return 0;
}

// Files dropped from Explorer: sounds join the sound play-list; one picture
// is opened as File > Open opens it, several (or a folder's) join the
// picture play-list and the first of them is shown. Other files are left out.
LRESULT OnDropFiles(HWND window, HDROP drop) {
    const std::vector<std::wstring> paths = TakeDroppedPaths(drop);
    // Behind a dialog the window takes nothing: the dialog may hold a copy
    // of a list.
    if (!IsWindowEnabled(window)) return 0;
    const std::string& picturePatterns = PicturePatterns(g_state.pictures.wicFactory.get());
    const std::vector<std::string> sounds = EntriesOfKind(paths, kSoundPatterns);
    if (!sounds.empty()) ShowSoundMenu(window, AddDroppedSounds(window, g_state.music, g_state.listFiles, sounds));
    const std::vector<std::string> pictures = EntriesOfKind(paths, picturePatterns);
    if (pictures.empty()) return 0;
    EndRunningShows(window);
    const bool onePictureFile =
        pictures.size() == 1 &&
        std::none_of(paths.begin(), paths.end(), [](const std::wstring& path) { return IsFolder(path); });
    ShowOpenedPicture(window, onePictureFile
                                  ? OpenDroppedPicture(window, g_state.pictures, g_state.screen, g_state.listFiles,
                                                       g_state.highScores, pictures.front())
                                  : AddDroppedPictures(window, g_state.pictures, g_state.screen, g_state.listFiles,
                                                       g_state.highScores, pictures));
    return 0;
}

// The window has moved to a monitor of another scaling (or its scaling was
// changed): it takes the place Windows suggests, and the picture is fitted
// again to that monitor, one picture pixel to one screen pixel. A game in
// progress goes on with the same board.
LRESULT OnDpiChanged(HWND window, const RECT& suggested) {
    TakeReadOutOff(window);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!RefitPicture(window, g_state.pictures.wicFactory.get(), g_state.screen)) return 0;
    FitBoardToPicture(g_state.board, g_state.screen);
    RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
    InvalidateRect(window, &view, TRUE);
    DrawCurrentView(g_state.screen, g_state.board, g_state.play);
    RefreshReadOut(window);
    return 0;
}

// The window's end: the game in play and the lists are saved when start-up
// was done (a window that goes before leaves them as they were), and every
// COM object of the game is released, before WinMain leaves the apartment.
int ShutdownApplication(HWND window) {
    if (g_state.play.revealPending) KillTimer(window, TIMER_REVEAL);
    ReleaseScreen(g_state.screen);
    if (g_state.running) {
        SaveGameInProgress();
        SaveListFilesAtExit(g_state.listFiles, g_state.pictures.imageList, ModeOf(g_state.pictures),
                            SoundList(g_state.music), g_state.highScores);
    }
    CloseMusicPlayer(g_state.music);
    g_state.pictures.wicFactory.Reset();
    PostQuitMessage(0);
    return 1;
}

int PaintView(HWND, const PAINTSTRUCT& paint) {
    const bool playing = g_state.play.playing;
    if (HasPictureSource(g_state.pictures) && !playing) return DrawPicture(g_state.screen);
    if (g_state.clear.clearMode != ClearMode::None && !playing) {
        return StepClearAnimation(g_state.screen, g_state.play, g_state.clear);
    }
    if (HasPictureSource(g_state.pictures) && playing) return DrawBoard(g_state.screen, g_state.board, g_state.play);
    if (!g_state.pictures.singleFileMode && !playing) {
        PatBlt(paint.hdc, 0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight, BLACKNESS);
        return 1;
    }
    return 0;
}

LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    // Whether a frame was drawn or not, BeginPaint has made the area valid:
    // there is nothing to try again.
    PaintView(window, paint);
    EndPaint(window, &paint);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM timer, LPARAM lParam) {
    switch (timer) {
    case TIMER_REVEAL:
        EndReveal(window);
        return 0;
    case TIMER_READ_OUT:
        RefreshReadOut(window);
        return 0;
    case TIMER_ANIMATION:
        if (!g_state.roll.scoreRollActive) {
            StepClearAnimation(g_state.screen, g_state.play, g_state.clear);
            return 0;
        }
        if (!StepScoreRoll(window, g_state.roll, g_state.highScores, g_state.screen,
                           IsPaused(g_state.play) ? RollBackground::Hidden : RollBackground::Picture)) {
            ShowRestingView();
        }
        return 0;
    default:
        return DefWindowProcW(window, WM_TIMER, timer, lParam);  // no timer of the game's
    }
}

LRESULT OnLeftClick(HWND window, LPARAM point) {
    FollowHand(InputBy::Mouse);
    // The client point as the two unsigned words of lParam.
    OnLeftButton(window, LOWORD(point), HIWORD(point));
    return 0;
}

LRESULT OnRightClick() {
    FollowHand(InputBy::Mouse);
    OnRightButton();
    return 0;
}

LRESULT OnKeyUp(WPARAM key) {
    if (key == VK_TAB) PeekAtPicture(false);
    return 0;
}

// The Tab key's release goes elsewhere.
LRESULT OnKillFocus() {
    PeekAtPicture(false);
    return 0;
}

LRESULT OnGraphEvents(HWND window) {
    ShowSoundMenu(window, OnGraphNotify(g_state.music));
    return 0;
}

// Another program comes to the front: the game waits for the player.
LRESULT OnActivateApp(HWND window, WPARAM active) {
    if (active) {
        ResumeGame(window, PauseReason::Away);
    } else {
        PauseGame(window, PauseReason::Away);
    }
    return 0;
}

// The window itself active again, and not minimised, is the player back,
// even where the system told the program of it no other way.
LRESULT OnActivate(HWND window, WPARAM state, LPARAM lParam) {
    if (LOWORD(state) != WA_INACTIVE && !HIWORD(state)) ResumeGame(window, PauseReason::Away);
    return DefWindowProcW(window, WM_ACTIVATE, state, lParam);
}

LRESULT OnEndSession(WPARAM ending) {
    if (ending) SaveAtSessionEnd();
    return 0;
}

}  // namespace

void ShowPictureChange(HWND window, const PictureChange& change) {
    if (change.endsGame) EndGame();
    if (change.loaded) {
        ShuffleBoard(g_state.board, g_state.screen);
        // A game in play goes on with the new picture, and kanoze.sav with it.
        SaveGameInProgress();
    }
    bool changed = false;
    for (const auto& [command, item] :
         {std::pair{IDM_START, change.start}, std::pair{IDM_NEXT_PICTURE, change.nextPicture},
          std::pair{IDM_IMAGE_LIST_RELOAD, change.reloadList}}) {
        if (item == MenuItem::Unchanged) continue;
        SetMenuCommand(window, command, item);
        changed = true;
    }
    if (changed) DrawMenuBar(window);
    if (change.loaded) {
        RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
        InvalidateRect(window, &view, TRUE);
    }
    RefreshReadOut(window);
}

void ShowPlayerChoices(HWND window) {
    ShowReadOutChoice(window);
    ShowVolumeChoice(window);
}

void ShowSoundMenu(HWND window, SoundMenu menu) {
    SetMenuCommand(window, IDM_NEXT_TUNE, MusicPlays(g_state.music) ? MenuItem::Enabled : MenuItem::Grayed);
    if (menu == SoundMenu::Unchanged) return;
    SetMenuCommand(window, IDM_SOUND_STOP, menu == SoundMenu::StartGrayed ? MenuItem::Enabled : MenuItem::Grayed);
    SetMenuCommand(window, IDM_SOUND_START, menu == SoundMenu::StopGrayed ? MenuItem::Enabled : MenuItem::Grayed);
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        ShutdownApplication(window);
        return 0;
    case WM_PAINT:
        return OnPaint(window);
    case WM_COMMAND:
        return OnCommand(window, LOWORD(wParam));
    case WM_TIMER:
        return OnTimer(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLeftClick(window, lParam);
    case WM_RBUTTONDOWN:
        return OnRightClick();
    case WM_GRAPHNOTIFY:
        return OnGraphEvents(window);
    case WM_KEYDOWN:
        return OnKeyDown(window, wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(wParam);
    case WM_KILLFOCUS:
        return OnKillFocus();
    case WM_SIZE:
        return OnSize(window, wParam);
    case WM_ACTIVATEAPP:
        return OnActivateApp(window, wParam);
    case WM_ACTIVATE:
        return OnActivate(window, wParam, lParam);
    case WM_ENDSESSION:
        return OnEndSession(wParam);
    case WM_DROPFILES:
        return OnDropFiles(window, reinterpret_cast<HDROP>(wParam));
    case WM_DPICHANGED:
        return OnDpiChanged(window, *reinterpret_cast<const RECT*>(lParam));
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
