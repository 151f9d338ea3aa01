// The main window's messages and menu commands: the one place that turns
// them into calls on the modules, and their results into the next calls.
#include "app/app.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>

#include "app/game_state.h"
#include "app/session.h"
#include "display/dropped_files.h"
#include "display/presenter.h"
#include "display/views.h"
#include "game/difficulty_dialog.h"
#include "game/game_win.h"
#include "music/music.h"
#include "pictures/image_list.h"
#include "pictures/load_picture.h"
#include "res/resource.h"
#include "res/texts.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_win.h"
#include "storage/list_file_win.h"

namespace {

// Grays (false) or enables (true) a menu command.
void SetMenuCommand(HWND window, UINT command, bool enabled) {
    EnableMenuItem(GetMenu(window), command,
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

// The reveal timer's expiry: the two picks turn face down, or the
// celebration ends.
int EndReveal(HWND window) {
    KillTimer(window, TIMER_REVEAL);
    if (EndRevealState(g_state.play, g_state.clear)) KillTimer(window, TIMER_ANIMATION);
    DrawCurrentView(g_state.screen, g_state.board, g_state.play);
    return 1;
}

void InvalidatePicture(HWND window) {
    RECT area = {0, 0, g_state.screen.pictureWidth, g_state.screen.pictureHeight};
    InvalidateRect(window, &area, TRUE);
}

// What an earlier game left running ends before a new game begins or the
// picture changes: a reveal, the celebration, the roll. None of their timers
// reaches what comes next.
void EndRunningShows(HWND window) {
    KillTimer(window, TIMER_REVEAL);
    KillTimer(window, TIMER_ANIMATION);
    if (g_state.play.revealPending || g_state.clear.clearMode != ClearMode::None) {
        EndRevealState(g_state.play, g_state.clear);
    }
    g_state.roll.scoreRollActive = false;
}

void StartGame(HWND window) {
    EndRunningShows(window);
    ShuffleBoard(g_state.board, g_state.screen);
    StartPlay(g_state.play);
    g_state.play.startTick = StampTick(GetTickCount());
    InvalidatePicture(window);
    DrawBoard(g_state.screen, g_state.board, g_state.play);
}

void EditImageList(HWND window) {
    if (ShowDialog(window, IDD_IMAGE_LIST, ImageListDlgProc, reinterpret_cast<LPARAM>(&g_state.pictures)) == IDOK) {
        SaveEditedImageList(g_state.listFiles, g_state.pictures.imageList, g_state.highScores);
    }
}

// The new board size reaches a running game at once; a pick that no longer
// lies on the smaller board is dropped with its partner.
void ChangeDifficulty(HWND window) {
    if (ChooseDifficulty(window, g_state.board) == IDOK) SaveSettings();
    if (!g_state.play.playing) return;
    ShuffleBoard(g_state.board, g_state.screen);
    DropPicksOutsideBoard(g_state.play, CellCount(g_state.board));
    InvalidatePicture(window);
    DrawBoard(g_state.screen, g_state.board, g_state.play);
}

// The roll starts (again) just below the view; a celebration or reveal ends first.
void ShowScoreRoll(HWND window) {
    StartScoreRoll(g_state.roll, g_state.screen.viewWidth, g_state.screen.viewHeight);
    if (g_state.play.revealPending) EndReveal(window);
    SetTimer(window, TIMER_ANIMATION, kRollPeriodMs, nullptr);
}

void OnCommand(HWND window, UINT command) {
    switch (command) {
    case IDM_CLOSE:
        DestroyWindow(window);
        break;
    case IDM_OPEN_FILE: {
        EndRunningShows(window);
        const PictureChange change =
            OpenSingleFile(window, g_state.pictures, g_state.screen, g_state.listFiles, g_state.highScores);
        ShowPictureChange(window, change);
        if (change.loaded) {
            StopPlay(g_state.play);
            DrawPicture(g_state.screen);
        }
        break;
    }
    case IDM_START:
        StartGame(window);
        break;
    case IDM_ABOUT:
        ShowDialog(window, IDD_ABOUT, AboutDlgProc, 0);
        break;
    case IDM_DIFFICULTY:
        ChangeDifficulty(window);
        break;
    case IDM_IMAGE_LIST_EDIT:
        EditImageList(window);
        break;
    case IDM_IMAGE_LIST_RELOAD:
        EndRunningShows(window);
        ShowPictureChange(window, ReloadImageList(window, g_state.pictures, g_state.screen, g_state.listFiles,
                                                  g_state.highScores));
        break;
    case IDM_NEXT_PICTURE:
        EndRunningShows(window);
        ShowPictureChange(window, ShowNextListedPicture(window, g_state.pictures, g_state.screen));
        break;
    case IDM_HIGH_SCORE:
        ShowScoreRoll(window);
        break;
    case IDM_SOUND_START:
        ShowSoundMenu(window, StartSound(g_state.music));
        break;
    case IDM_SOUND_STOP:
        ShowSoundMenu(window, StopSound(g_state.music));
        break;
    case IDM_SOUND_LIST_EDIT:
        ShowSoundMenu(window, EditSoundList(window, g_state.music, g_state.listFiles));
        break;
    default:
        break;  // not a command of the menu
    }
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
        DrawPicture(g_state.screen);
        return;
    }
    if (play.playing && !play.revealPending) HandleCellClick(window, x, y, g_state.board, play, g_state.screen);
    if (ClearIsDue(play) && BeginClearSequence(window, g_state.board, play, g_state.clear, g_state.highScores,
                                               g_state.enteredName, g_state.screen)) {
        // A record is kept from the moment it is named, not only at exit.
        SaveBestTime(g_state.listFiles, g_state.pictures.imageList, g_state.pictures.singleFileMode,
                     g_state.highScores);
        SaveSettings();  // the name, offered again next time
    }
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
}

void ResumeGame(HWND window, PauseReason reason) {
    if (ResumePlay(g_state.play, reason, GetTickCount())) ContinueGame(window);
}

// Tab held: the whole picture instead of the board, while a game runs.
void Peek(bool held) {
    Play& play = g_state.play;
    if (held == play.peeking || (held && (!play.playing || IsPaused(play)))) return;
    play.peeking = held;
    // A game solved while peeking has its celebration on the screen now.
    if (play.playing) DrawBoard(g_state.screen, g_state.board, play);
}

// Minimised, the game pauses and the music goes quiet; restored, both go on.
void OnSize(HWND window, WPARAM kind) {
    if (kind == SIZE_MINIMIZED) {
        PauseGame(window, PauseReason::Minimised);
        HushSound(g_state.music);
    } else if (kind == SIZE_RESTORED) {
        ResumeGame(window, PauseReason::Minimised);
        ShowSoundMenu(window, WakeSound(g_state.music));
    }
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

// The keyboard's way through a game: F2 starts, the arrows move the cursor,
// Space and Enter click its cell, Esc takes the picks back, Tab peeks, P and
// Pause pause. A paused game takes no key but the one that goes on.
void OnKeyDown(HWND window, WPARAM key, LPARAM flags) {
    Play& play = g_state.play;
    if (key == 'P' || key == VK_PAUSE) {
        const bool wasPaused = IsPaused(play);
        if (!TogglePause(play, GetTickCount())) return;
        if (wasPaused) {
            ContinueGame(window);
        } else {
            CoverGame(window);
        }
        return;
    }
    if (IsPaused(play)) return;
    switch (key) {
    case VK_F2:
        // As the Start command, and only while it can be chosen.
        if (!(GetMenuState(GetMenu(window), IDM_START, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED))) {
            OnCommand(window, IDM_START);
        }
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        MoveBoardCursor(g_state.screen, g_state.board, play, ArrowMove(key));
        break;
    case VK_SPACE:
    case VK_RETURN: {
        const POINT point = CursorPoint(g_state.screen, g_state.board, play);
        OnLeftButton(window, point.x, point.y);
        break;
    }
    case VK_ESCAPE:
        OnRightButton();
        break;
    case VK_TAB:
        if (!(flags & (1 << 30))) Peek(true);  // not the key's repeats
        break;
    default:
        break;
    }
}

// Files dropped from Explorer: sounds join the sound play-list; one picture
// is opened as File > Open opens it, several (or a folder's) join the
// picture play-list and the first of them is shown. Other files are left out.
void DropFiles(HWND window, HDROP drop) {
    const std::vector<std::wstring> paths = TakeDroppedPaths(drop);
    // Behind a dialog the window takes nothing: the dialog may hold a copy
    // of a list.
    if (!IsWindowEnabled(window)) return;
    const std::string& picturePatterns = PicturePatterns(g_state.pictures.wicFactory.get());
    const std::vector<std::string> sounds = EntriesOfKind(paths, kSoundPatterns);
    if (!sounds.empty()) ShowSoundMenu(window, AddDroppedSounds(g_state.music, g_state.listFiles, sounds));
    const std::vector<std::string> pictures = EntriesOfKind(paths, picturePatterns);
    if (pictures.empty()) return;
    EndRunningShows(window);
    const bool onePictureFile =
        pictures.size() == 1 && std::none_of(paths.begin(), paths.end(), [](const std::wstring& path) {
            return IsFolder(path);
        });
    const PictureChange change =
        onePictureFile ? OpenDroppedPicture(window, g_state.pictures, g_state.screen, g_state.listFiles,
                                            g_state.highScores, pictures.front())
                       : AddDroppedPictures(window, g_state.pictures, g_state.screen, g_state.listFiles,
                                            g_state.highScores, pictures);
    ShowPictureChange(window, change);
    if (change.loaded) {
        StopPlay(g_state.play);
        DrawPicture(g_state.screen);
    }
}

// The window has moved to a monitor of another scaling (or its scaling was
// changed): it takes the place Windows suggests, and the picture is fitted
// again to that monitor, one picture pixel to one screen pixel. A game in
// progress goes on with the same board.
void OnDpiChanged(HWND window, const RECT& suggested) {
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!RefitPicture(window, g_state.pictures.wicFactory.get(), g_state.screen)) return;
    FitBoardToPicture(g_state.board, g_state.screen);
    RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
    InvalidateRect(window, &view, TRUE);
    DrawCurrentView(g_state.screen, g_state.board, g_state.play);
}

}  // namespace

int ShutdownApplication(HWND window) {
    // A window that goes before start-up was done leaves the lists as they were.
    if (!g_state.running) {
        PostQuitMessage(0);
        return 0;
    }
    if (g_state.play.revealPending) KillTimer(window, TIMER_REVEAL);
    ReleaseScreen(g_state.screen);

    SaveGameInProgress();
    SaveListFilesAtExit(g_state.listFiles, g_state.pictures.imageList, g_state.pictures.singleFileMode,
                        SoundList(g_state.music), g_state.highScores);
    CloseMusicPlayer(g_state.music);

    g_state.pictures.wicFactory.Reset();
    CoUninitialize();
    PostQuitMessage(0);
    return 1;
}

void ShowPictureChange(HWND window, const PictureChange& change) {
    if (change.endsGame) g_state.play.playing = false;
    if (change.loaded) ShuffleBoard(g_state.board, g_state.screen);
    bool changed = false;
    for (const auto& [command, item] : {std::pair{IDM_START, change.start},
                                        std::pair{IDM_NEXT_PICTURE, change.nextPicture},
                                        std::pair{IDM_IMAGE_LIST_RELOAD, change.reloadList}}) {
        if (item == MenuItem::Unchanged) continue;
        SetMenuCommand(window, command, item == MenuItem::Enabled);
        changed = true;
    }
    if (changed) DrawMenuBar(window);
    if (change.loaded) {
        RECT view = {0, 0, g_state.screen.viewWidth, g_state.screen.viewHeight};
        InvalidateRect(window, &view, TRUE);
    }
}

void ShowSoundMenu(HWND window, const SoundMenu& menu) {
    if (!menu.change) return;
    SetMenuCommand(window, IDM_SOUND_STOP, menu.stopEnabled);
    SetMenuCommand(window, IDM_SOUND_START, menu.startEnabled);
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

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        ShutdownApplication(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        PaintView(window, paint);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_TIMER:
        switch (wParam) {
        case TIMER_REVEAL:
            EndReveal(window);
            return 0;
        case TIMER_ANIMATION:
            if (g_state.roll.scoreRollActive) {
                StepScoreRoll(window, g_state.roll, g_state.highScores, g_state.screen);
            } else {
                StepClearAnimation(g_state.screen, g_state.play, g_state.clear);
            }
            return 0;
        default:
            // No timer of the game's.
            return DefWindowProcW(window, message, wParam, lParam);
        }
    case WM_LBUTTONDOWN:
        // The client point as the two unsigned words of lParam.
        OnLeftButton(window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButton();
        return 0;
    case WM_GRAPHNOTIFY:
        ShowSoundMenu(window, OnGraphNotify(g_state.music));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam, lParam);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_TAB) Peek(false);
        return 0;
    case WM_KILLFOCUS:
        Peek(false);  // the Tab key's release goes elsewhere
        return 0;
    case WM_SIZE:
        OnSize(window, wParam);
        return 0;
    case WM_ACTIVATEAPP:
        // Another program comes to the front: the game waits for the player.
        if (wParam) {
            ResumeGame(window, PauseReason::Away);
        } else {
            PauseGame(window, PauseReason::Away);
        }
        return 0;
    case WM_ACTIVATE:
        // The window itself active again, and not minimised, is the player
        // back, even where the system told the program of it no other way.
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) ResumeGame(window, PauseReason::Away);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ENDSESSION:
        if (wParam) SaveAtSessionEnd();
        return 0;
    case WM_DROPFILES:
        DropFiles(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(window, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
