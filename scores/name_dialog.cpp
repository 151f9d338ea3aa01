// The best-time step of a cleared game and the name dialog.
#include "scores/name_dialog.h"

#include "res/resource.h"

namespace {

constexpr int kNameSize = 256;

}  // namespace

bool UpdateBestTime(HWND window, const Board& board, const Play& play, HighScoreTable& highScores,
                    std::string& enteredName) {
    const uint32_t seconds = ElapsedSeconds(play.startTick, play.endTick);
    if (!RecordBestTime(highScores, board.easyMode, board.columns, board.rows, seconds)) return false;
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_HIGH_SCORE_NAME), window, NameEntryDlgProc,
                    reinterpret_cast<LPARAM>(&enteredName));
    StoreBestName(highScores, board.easyMode, board.columns, board.rows, enteredName);
    return true;
}

INT_PTR CALLBACK NameEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        // The last name typed, selected: typing replaces it, Enter keeps it.
        SetDlgItemTextA(dialog, IDC_NAME_EDIT, NameToOffer(*reinterpret_cast<std::string*>(lParam)).c_str());
        SendDlgItemMessageA(dialog, IDC_NAME_EDIT, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, IDC_NAME_EDIT));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            char name[kNameSize] = {};
            GetDlgItemTextA(dialog, IDC_NAME_EDIT, name, kNameSize);
            *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, GWLP_USERDATA)) = name;
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
