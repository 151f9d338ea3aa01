// The difficulty dialog: two size edits with up-down arrows and the rule.
#include "game/difficulty_dialog.h"

#include <commctrl.h>

#include <cstdio>

#include "app/game_state.h"
#include "game/difficulty.h"
#include "res/resource.h"
#include "res/texts.h"

namespace {

constexpr int kEditTextSize = 32;

// The last accepted value of each size edit while the dialog is open.
int workColumns = 4;
int workRows = 4;

void ShowNumber(HWND edit, int value) {
    char text[kEditTextSize];
    std::snprintf(text, sizeof text, "%d", value);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void CheckSizeEdit(HWND dialog, int editId, int* work) {
    HWND edit = GetDlgItem(dialog, editId);
    if (ValidateSizeEdit(edit, work)) return;
    MessageBoxA(dialog, LoadText(IDS_INPUT_ERROR_TEXT).c_str(), LoadText(IDS_INPUT_ERROR_TITLE).c_str(), MB_OK);
    ShowNumber(edit, *work);
}

void InitSpin(HWND dialog, int spinId, int editId, int value) {
    HWND spin = GetDlgItem(dialog, spinId);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dialog, editId)), 0);
    // Low word the upper end, high word the lower end: the up arrow steps toward 4.
    SendMessageA(spin, UDM_SETRANGE, 0, MAKELPARAM(kMinSide, kMaxSide));
    SendMessageA(spin, UDM_SETPOS, 0, MAKELPARAM(LOWORD(value), 0));
}

}  // namespace

int InitDifficultyDialog(HWND dialog) {
    workColumns = g_state.board.columns;
    workRows = g_state.board.rows;
    InitSpin(dialog, IDC_COLUMNS_SPIN, IDC_COLUMNS_EDIT, workColumns);
    InitSpin(dialog, IDC_ROWS_SPIN, IDC_ROWS_EDIT, workRows);
    ShowNumber(GetDlgItem(dialog, IDC_COLUMNS_EDIT), workColumns);
    ShowNumber(GetDlgItem(dialog, IDC_ROWS_EDIT), workRows);
    SendDlgItemMessageA(dialog, g_state.board.easyMode ? IDC_EASY : IDC_DIFFICULT, BM_SETCHECK, BST_CHECKED, 0);
    return 1;
}

int ValidateSizeEdit(HWND edit, int* work) {
    char text[kEditTextSize] = {};
    SendMessageA(edit, WM_GETTEXT, kEditTextSize, reinterpret_cast<LPARAM>(text));
    return ValidateSizeText(text, work);
}

void ApplyDifficultyDialog(HWND dialog) {
    g_state.board.columns = workColumns;
    g_state.board.rows = workRows;
    g_state.board.easyMode = SendDlgItemMessageA(dialog, IDC_DIFFICULT, BM_GETCHECK, 0, 0) != BST_CHECKED;
}

INT_PTR CALLBACK DifficultyDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_INITDIALOG:
        InitDifficultyDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyDifficultyDialog(dialog);
            EndDialog(dialog, IDOK);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        case IDC_COLUMNS_EDIT:
            if (HIWORD(wParam) == EN_UPDATE) CheckSizeEdit(dialog, IDC_COLUMNS_EDIT, &workColumns);
            break;
        case IDC_ROWS_EDIT:
            if (HIWORD(wParam) == EN_UPDATE) CheckSizeEdit(dialog, IDC_ROWS_EDIT, &workRows);
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}
