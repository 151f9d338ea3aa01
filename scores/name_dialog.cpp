// The best-time step of a cleared game and the name dialog.
#include "scores/name_dialog.h"

#include "res/resource.h"
#include "res/texts.h"

namespace {

constexpr int kNameSize = 256;

// The name as typed, in the list files' code page and no longer than a name
// there may be: cut before a character that would not fit whole.
std::string NameOfEdit(HWND edit) {
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    std::string name = AnsiText(typed);
    while (name.size() >= static_cast<size_t>(kNameSize) && !typed.empty()) {
        typed.pop_back();
        name = AnsiText(typed);
    }
    return name;
}

// WM_INITDIALOG's lParam points to the name (a std::string) that OK replaces.
INT_PTR CALLBACK NameEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    std::string* name = DialogContext<std::string>(dialog, message, lParam);
    if (!name) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_INITDIALOG:
        // The last name typed, selected: typing replaces it, Enter keeps it.
        SetDlgItemTextW(dialog, IDC_NAME_EDIT, WideFromAnsi(NameToOffer(*name)).c_str());
        SendDlgItemMessageA(dialog, IDC_NAME_EDIT, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, IDC_NAME_EDIT));
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            *name = NameOfEdit(GetDlgItem(dialog, IDC_NAME_EDIT));
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

}  // namespace

bool UpdateBestTime(HWND window, const Board& board, const Play& play, HighScoreTable& highScores,
                    std::string& enteredName) {
    const uint32_t seconds = ElapsedSeconds(play.startTick, play.endTick);
    if (!RecordBestTime(highScores, board.easyMode, board.columns, board.rows, seconds)) return false;
    ShowDialog(window, IDD_HIGH_SCORE_NAME, NameEntryDlgProc, reinterpret_cast<LPARAM>(&enteredName));
    StoreBestName(highScores, board.easyMode, board.columns, board.rows, enteredName);
    return true;
}
