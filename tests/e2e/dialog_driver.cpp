// Driving the play-list editors and the file-open dialog with real input.
#include "dialog_driver.h"

namespace {

// The file dialog takes typing once its name field has the focus.
bool NameFieldFocused(HWND dialog) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) || !info.hwndFocus) return false;
    wchar_t name[16] = {};
    GetClassNameW(info.hwndFocus, name, 16);
    return IsChild(dialog, info.hwndFocus) && lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

void TypeText(const std::wstring& text) {
    for (const wchar_t c : text) {
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wScan = input[1].ki.wScan = c;
        input[0].ki.dwFlags = KEYEVENTF_UNICODE;
        input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        Sleep(5);
    }
}

HWND WaitForDialog(const wchar_t* title) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowW(L"#32770", title);
        return dialog && IsWindowVisible(dialog);
    }, kDialogTimeoutMs);
    return dialog;
}

bool WaitUntilClosed(HWND dialog) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, kDialogTimeoutMs);
}

Paths Entries(HWND dialog, int listBox) {
    HWND list = GetDlgItem(dialog, listBox);
    Paths out;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

LRESULT Selection(HWND dialog, int listBox) {
    return SendMessageW(GetDlgItem(dialog, listBox), LB_GETCURSEL, 0, 0);
}

void ClickButton(Game& game, HWND dialog, int id) { game.ClickWindow(GetDlgItem(dialog, id)); }

bool SelectEntry(Game& game, HWND dialog, int listBox, int index) {
    HWND list = GetDlgItem(dialog, listBox);
    RECT item = {};
    if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MapWindowPoints(list, game.window(), &centre, 1);
    game.ClickClient(centre.x, centre.y);
    return WaitUntil([&] { return Selection(dialog, listBox) == index; });
}

bool AnswerFileDialog(Game& game, const wchar_t* title, const std::wstring& path) {
    HWND dialog = WaitForDialog(title);
    if (!dialog || !WaitUntil([&] { return NameFieldFocused(dialog); })) return false;
    if (path.empty()) {
        game.PressKey(VK_ESCAPE);
    } else {
        TypeText(path);
        game.PressKey(VK_RETURN);
    }
    return WaitUntilClosed(dialog);
}
