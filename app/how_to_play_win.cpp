// The How to Play page: the rules and every key, in the player's language.
#include "app/how_to_play_win.h"

#include <string>

#include "dialogs/dialog_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

// The text box holds the rules, then the keys; the focus stays on OK, so
// the text is never shown selected.
INT_PTR CALLBACK HowToPlayDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        const std::wstring text = LoadText(IDS_HOW_TO_PLAY_RULES) + L"\r\n\r\n" + LoadText(IDS_HOW_TO_PLAY_KEYS);
        SetDlgItemTextW(dialog, IDC_HOW_TO_PLAY_TEXT, text.c_str());
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;  // the focus is set
    }
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ShowHowToPlay(HWND window) {
    ShowDialog(window, IDD_HOW_TO_PLAY, HowToPlayDlgProc, 0);
}
