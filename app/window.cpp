// The main window's messages and menu commands.
#include <windows.h>

#include "app/app.h"
#include "app/game_state.h"
#include "display/views.h"
#include "game/difficulty_dialog.h"
#include "game/game_win.h"
#include "music/music.h"
#include "pictures/image_list.h"
#include "res/resource.h"
#include "scores/celebration_win.h"
#include "scores/score_roll.h"
#include "scores/score_roll_win.h"
#include "storage/list_file_win.h"

namespace {

// A picture can be shown: a single file was opened or the play-list has entries.
bool HasPictureSource() { return g_state.singleFileMode || !g_state.imageList.empty(); }

void InvalidatePicture(HWND window) {
    RECT area = {0, 0, g_state.pictureWidth, g_state.pictureHeight};
    InvalidateRect(window, &area, TRUE);
}

void StartGame(HWND window) {
    ShuffleBoard();
    g_state.play.playing = true;
    g_state.play.secondPick = -1;
    g_state.play.firstPick = -1;
    if (g_state.play.revealPending) EndReveal(window);
    g_state.play.startTick = StampTick(GetTickCount());
    InvalidatePicture(window);
    DrawBoard();
}

void EditImageList(HWND window) {
    if (DialogBoxParamA(g_state.instance, MAKEINTRESOURCEA(IDD_IMAGE_LIST), window, ImageListDlgProc, 0) ==
        IDOK) {
        SaveEditedImageList(g_state.listFiles, g_state.imageList, g_state.highScores);
    }
}

// The new board size reaches a running game at once; a pick that no longer
// lies on the smaller board is dropped with its partner.
void ChangeDifficulty(HWND window) {
    DialogBoxParamA(g_state.instance, MAKEINTRESOURCEA(IDD_DIFFICULTY), window, DifficultyDlgProc, 0);
    if (!g_state.play.playing) return;
    ShuffleBoard();
    DropPicksOutsideBoard(g_state.play, CellCount(g_state.board));
    InvalidatePicture(window);
    DrawBoard();
}

// The roll starts (again) just below the view; a celebration or reveal ends first.
void ShowScoreRoll(HWND window) {
    StartScoreRoll(g_state.roll, g_state.viewWidth, g_state.viewHeight);
    if (g_state.play.revealPending) EndReveal(window);
    SetTimer(window, TIMER_ANIMATION, kRollPeriodMs, nullptr);
}

void OnCommand(HWND window, UINT command) {
    switch (command) {
    case IDM_CLOSE:
        DestroyWindow(window);
        break;
    case IDM_OPEN_FILE:
        if (OpenSingleFile(window)) DrawPicture();
        break;
    case IDM_START:
        StartGame(window);
        break;
    case IDM_ABOUT:
        DialogBoxParamA(g_state.instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDlgProc, 0);
        break;
    case IDM_DIFFICULTY:
        ChangeDifficulty(window);
        break;
    case IDM_IMAGE_LIST_EDIT:
        EditImageList(window);
        break;
    case IDM_IMAGE_LIST_RELOAD:
        ReloadImageList(window);
        break;
    case IDM_NEXT_PICTURE:
        g_state.imageCursor += 1;
        AdvanceImageList(window);
        break;
    case IDM_HIGH_SCORE:
        ShowScoreRoll(window);
        break;
    case IDM_SOUND_START:
        StartSound(g_state.music);
        break;
    case IDM_SOUND_STOP:
        StopSound(g_state.music);
        break;
    case IDM_SOUND_LIST_EDIT:
        EditSoundList(window);
        break;
    default:
        break;  // not a command of the menu
    }
}

void OnLeftButton(HWND window, LPARAM position) {
    Play& play = g_state.play;
    if (g_state.clear.clearMode != 0) {
        KillTimer(window, TIMER_REVEAL);
        KillTimer(window, TIMER_ANIMATION);
        ResetClearState(play, g_state.clear);
        DrawPicture();
        return;
    }
    if (g_state.roll.scoreRollActive) {
        KillTimer(window, TIMER_ANIMATION);
        g_state.roll.scoreRollActive = false;
        DrawPicture();
        return;
    }
    if (play.playing && !play.revealPending) HandleCellClick(window, position);
    if (ClearIsDue(play)) BeginClearSequence(window);
}

void OnRightButton() {
    if (g_state.play.playing && !g_state.play.revealPending) ClearPicks();
}

}  // namespace

void SetMenuCommand(HWND window, UINT command, bool enabled) {
    EnableMenuItem(GetMenu(window), command,
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

int PaintView(HWND, const PAINTSTRUCT& paint) {
    const bool playing = g_state.play.playing;
    if (HasPictureSource() && !playing) return DrawPicture();
    if (g_state.clear.clearMode != 0 && !playing) return StepClearAnimation();
    if (HasPictureSource() && playing) return DrawBoard();
    if (!g_state.singleFileMode && !playing) {
        PatBlt(paint.hdc, 0, 0, g_state.viewWidth, g_state.viewHeight, BLACKNESS);
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
        if (wParam != TIMER_ANIMATION) {
            EndReveal(window);
        } else if (g_state.roll.scoreRollActive) {
            StepScoreRoll(window);
        } else {
            StepClearAnimation();
        }
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButton(window, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButton();
        return 0;
    case WM_GRAPHNOTIFY:
        OnGraphNotify(g_state.music);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

std::string LoadText(UINT id) {
    // With no buffer, LoadStringW hands out the resource's own text and its length.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(g_state.instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    // Code page 932 whatever the system's own code page is, as the texts
    // always were.
    const int size = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::string FileFilter(UINT nameId, const char* patterns) {
    std::string filter = LoadText(nameId);
    filter += '\0';
    filter += patterns;
    filter += '\0';  // c_str() adds the second NUL that ends the list
    return filter;
}
