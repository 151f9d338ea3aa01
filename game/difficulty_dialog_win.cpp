// The difficulty dialog: two size edits with up-down arrows and the rule.
#include "game/difficulty_dialog_win.h"

#include <commctrl.h>

#include <cwchar>

#include "dialogs/dialog_win.h"
#include "game/difficulty.h"
#include "res/resource.h"

namespace {

constexpr int kEditTextSize = 32;

// The dialog's working copy: the last accepted value of each size edit,
// written to the board only on OK.
struct DifficultyWork {
    Board* board;
    int columns;
    int rows;
};

void ShowNumber(HWND edit, int value) {
    wchar_t text[kEditTextSize];
    std::swprintf(text, kEditTextSize, L"%d", value);
    SetWindowTextW(edit, text);
}

SizeText ValidateSizeEdit(HWND edit) {
    char text[kEditTextSize] = {};
    SendMessageA(edit, WM_GETTEXT, kEditTextSize, reinterpret_cast<LPARAM>(text));
    return ValidateSizeText(text);
}

// The working value after the size edit changed: its side when it shows one.
// Anything but half-width digits is refused, and the edit shows the working
// value again.
int CheckSizeEdit(HWND dialog, int editId, int work) {
    HWND edit = GetDlgItem(dialog, editId);
    const SizeText size = ValidateSizeEdit(edit);
    if (size.accepted) return size.side.value_or(work);
    ShowMessage(dialog, IDS_INPUT_ERROR_TEXT, IDS_INPUT_ERROR_TITLE, MB_OK);  // OK is the only answer
    ShowNumber(edit, work);
    return work;
}

void InitSpin(HWND dialog, int spinId, int editId, int value) {
    HWND spin = GetDlgItem(dialog, spinId);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, editId)), 0);
    // Low word the upper end, high word the lower end: the up arrow steps toward 4.
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(kMinSide, kMaxSide));
    SendMessageA(spin, UDM_SETPOS, 0, MAKELPARAM(LOWORD(value), 0));
}

void InitDifficultyDialog(HWND dialog, DifficultyWork& work) {
    InitSpin(dialog, IDC_COLUMNS_SPIN, IDC_COLUMNS_EDIT, work.columns);
    InitSpin(dialog, IDC_ROWS_SPIN, IDC_ROWS_EDIT, work.rows);
    ShowNumber(GetDlgItem(dialog, IDC_COLUMNS_EDIT), work.columns);
    ShowNumber(GetDlgItem(dialog, IDC_ROWS_EDIT), work.rows);
    SendDlgItemMessageA(dialog, work.board->easyMode ? IDC_EASY : IDC_DIFFICULT, BM_SETCHECK, BST_CHECKED, 0);
}

void ApplyDifficultyDialog(HWND dialog, const DifficultyWork& work) {
    work.board->columns = work.columns;
    work.board->rows = work.rows;
    work.board->easyMode = SendDlgItemMessageA(dialog, IDC_DIFFICULT, BM_GETCHECK, 0, 0) != BST_CHECKED;
}

// The dialog procedure; WM_INITDIALOG's lParam is the DifficultyWork.
INT_PTR CALLBACK DifficultyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // Kept before the edits are filled: setting their texts already sends EN_UPDATE.
    DifficultyWork* work = DialogContext<DifficultyWork>(dialog, message, lParam);
    if (!work) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_INITDIALOG:
        InitDifficultyDialog(dialog, *work);
        return TRUE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyDifficultyDialog(dialog, *work);
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        case IDC_COLUMNS_EDIT:
            if (HIWORD(wParam) == EN_UPDATE) work->columns = CheckSizeEdit(dialog, IDC_COLUMNS_EDIT, work->columns);
            break;
        case IDC_ROWS_EDIT:
            if (HIWORD(wParam) == EN_UPDATE) work->rows = CheckSizeEdit(dialog, IDC_ROWS_EDIT, work->rows);
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

INT_PTR ChooseDifficulty(HWND window, Board& board) {
    DifficultyWork work = {&board, board.columns, board.rows};
    return ShowDialog(window, IDD_DIFFICULTY, DifficultyDlgProc, reinterpret_cast<LPARAM>(&work));
}
