// The best-time step of a cleared game and the name dialog.
#include "scores/name_dialog.h"

#include "app/game_state.h"
#include "storage/list_file_win.h"
#include "res/resource.h"

namespace {

constexpr int kNameSize = 256;

}  // namespace

void UpdateBestTime(HWND window) {
    const Board& board = g_state.board;
    const uint32_t seconds = ElapsedSeconds(g_state.play.startTick, g_state.play.endTick);
    if (!RecordBestTime(g_state.highScores, board.easyMode, board.columns, board.rows, seconds)) return;
    DialogBoxParamA(g_state.instance, MAKEINTRESOURCEA(IDD_HIGH_SCORE_NAME), window, NameEntryDlgProc, 0);
    StoreBestName(g_state.highScores, board.easyMode, board.columns, board.rows, g_state.enteredName);
    // A record is kept from the moment it is named, not only at exit.
    SaveBestTime(g_state.listFiles, g_state.imageList, g_state.singleFileMode, g_state.highScores);
}

INT_PTR CALLBACK NameEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        // The player can type the name at once; the edit starts empty.
        SetFocus(GetDlgItem(dialog, IDC_NAME_EDIT));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            char name[kNameSize] = {};
            GetDlgItemTextA(dialog, IDC_NAME_EDIT, name, kNameSize);
            g_state.enteredName = name;
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            // Cancel (or Esc) keeps the name entered before, like the close box.
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
