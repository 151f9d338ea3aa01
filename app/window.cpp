// The main window's messages and menu commands.
#include <windows.h>

#include "app/app.h"
#include "app/game_state.h"
#include "display/views.h"
#include "game/game_win.h"
#include "music/music.h"
#include "pictures/image_list.h"
#include "res/resource.h"

namespace {

// A picture can be shown: a single file was opened or the play-list has entries.
bool HasPictureSource() { return g_state.singleFileMode || !g_state.imageList.empty(); }

void InvalidatePicture(HWND window) {
    RECT area = {0, 0, g_state.pictureWidth, g_state.pictureHeight};
    InvalidateRect(window, &area, TRUE);
}

// The board-size dialog arrives with its own screen; until then the size
// stays 4 x 4.
INT_PTR CALLBACK DifficultyDlgProc(HWND dialog, UINT, WPARAM, LPARAM) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
}

// The celebration of a cleared board arrives with the best-time screens; until
// then a cleared game simply ends on the whole picture.
void BeginClearSequence(HWND) { ResetClearState(g_state.play, g_state.clear); }

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
        // The player chose this list: it replaces the file even if it could not be read before.
        g_state.imageListUnreadable = false;
        SaveImageList();
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
    case IDM_SOUND_START:
        StartSound(window);
        break;
    case IDM_SOUND_STOP:
        StopSound(window);
        break;
    case IDM_SOUND_LIST_EDIT:
        EditSoundList(window);
        break;
    default:
        break;  // sound and best-time commands arrive with their screens
    }
}

void OnLeftButton(HWND window, LPARAM position) {
    Play& play = g_state.play;
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
        if (wParam != TIMER_ANIMATION) EndReveal(window);
        return 0;
    case WM_LBUTTONDOWN:
        OnLeftButton(window, lParam);
        return 0;
    case WM_RBUTTONDOWN:
        OnRightButton();
        return 0;
    case WM_GRAPHNOTIFY:
        OnGraphNotify(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
