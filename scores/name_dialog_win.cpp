// The best-time step of a cleared game and the name dialog.
#include "scores/name_dialog_win.h"

#include "dialogs/dialog_win.h"
#include "platform/code_page_win.h"
#include "res/resource.h"

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

// The name the dialog gives: the one offered, byte for byte, while the
// player has not changed it (its bytes need not survive the trip through
// the edit box), else the one typed.
std::string NameGiven(HWND dialog, const std::string& enteredName) {
    HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
    return SendMessageW(edit, EM_GETMODIFY, 0, 0) ? NameOfEdit(edit) : NameToOffer(enteredName);
}

// What the dialog works on: the name OK replaces, and the record being named.
struct NameWork {
    std::string* name;
    NameEntry* entry;
};

INT_PTR CALLBACK NameEntryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    NameWork* work = DialogContext<NameWork>(dialog, message, lParam);
    if (!work) return FALSE;  // a message before WM_INITDIALOG
    std::string* name = work->name;
    switch (message) {
    case WM_INITDIALOG:
        work->entry->dialog = dialog;
        // The last name typed, selected: typing replaces it, Enter keeps it.
        SetDlgItemTextW(dialog, IDC_NAME_EDIT, WideFromAnsi(NameToOffer(*name)).c_str());
        SendDlgItemMessageA(dialog, IDC_NAME_EDIT, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, IDC_NAME_EDIT));
        return FALSE;
    case WM_DESTROY:
        work->entry->dialog = nullptr;
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            *name = NameGiven(dialog, *name);
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
                    std::string& enteredName, NameEntry& entry) {
    if (!board.ranked) return false;  // a deal that was nearly solved: celebrated, never recorded
    const uint32_t seconds = ElapsedSeconds(play.startTick, play.endTick);
    if (!RecordBestTime(highScores, board.easyMode, board.columns, board.rows, seconds)) return false;
    entry = {nullptr, board.easyMode, board.columns, board.rows};
    NameWork work = {&enteredName, &entry};
    // OK has put the name given into `enteredName`; Cancel, the close box or a
    // dialog that could not be shown leave the one entered before. Either way
    // the record takes `enteredName`, so the dialog's answer is not needed.
    ShowDialog(window, IDD_HIGH_SCORE_NAME, NameEntryDlgProc, reinterpret_cast<LPARAM>(&work));
    entry.dialog = nullptr;
    StoreBestName(highScores, board.easyMode, board.columns, board.rows, enteredName);
    return true;
}

bool NameRecordAtSessionEnd(NameEntry& entry, HighScoreTable& highScores, std::string& enteredName) {
    if (!entry.dialog) return false;
    enteredName = NameGiven(entry.dialog, enteredName);
    StoreBestName(highScores, entry.easyMode, entry.columns, entry.rows, enteredName);
    return true;
}
