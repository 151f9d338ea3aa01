// Real input to the game and its dialogs: keys, clicks, typing, the menu
// from the keyboard, and the dialogs that answer.
#include "input_driver.h"

#include <cstdio>
#include <tuple>
#include <utility>

#include "game_driver.h"

namespace {

// Under Wine the display may answer a pointer move late with the position it
// had before: the pointer counts as arrived once it has stayed put a while.
void MovePointerTo(const INPUT& move, int x, int y) {
    int steady = 0;
    for (int i = 0; i < 200 && steady < 4; ++i) {
        POINT cursor;
        if (GetCursorPos(&cursor) && cursor.x == x && cursor.y == y) {
            ++steady;
        } else {
            steady = 0;
            INPUT again = move;
            SendInput(1, &again, sizeof(INPUT));
        }
        Sleep(15);
    }
}

// The middle of the part of the caption that answers hit-test `box`, in
// screen points; (-1, -1) when the caption has none.
POINT CaptionBox(HWND window, LRESULT box) {
    RECT r;
    GetWindowRect(window, &r);
    for (int y = r.top + 2; y < r.bottom && y < r.top + 40; y += 2) {
        for (int x = r.right - 1; x >= r.left; --x) {
            if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != box) continue;
            int left = x;
            while (left > r.left && SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(left - 1, y)) == box) --left;
            return {(left + x) / 2, y};
        }
    }
    return {-1, -1};
}

HWND VisiblePopupMenu() {
    HWND popup = nullptr;
    while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
        if (IsWindowVisible(popup)) return popup;
    }
    return nullptr;
}

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

void SendKey(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

void TapKey(WORD key) {
    SendKey(key, false);
    SendKey(key, true);
    Sleep(50);
}

void ClickScreen(int x, int y, bool right) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input[3] = {};
    for (INPUT& i : input) {
        i.type = INPUT_MOUSE;
        i.mi.dx = (x * 65535 + width / 2) / (width - 1);
        i.mi.dy = (y * 65535 + height / 2) / (height - 1);
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The button events carry the point too: under Wine the pointer can be
    // put back for a moment by a late motion from the X server, and a button
    // without a point goes down wherever the pointer is then.
    input[1].mi.dwFlags =
        (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input[2].mi.dwFlags = (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    // The pointer arrives first, as a hand's does: the window under it sees
    // it come before the button goes down.
    MovePointerTo(input[0], x, y);
    SendInput(2, &input[1], sizeof(INPUT));
    Sleep(30);
}

bool DragCaption(HWND window, int dx, int dy) {
    const POINT from = CaptionBox(window, HTCAPTION);
    if (from.x < 0) return false;
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const auto at = [&](int x, int y, DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = (x * 65535 + width / 2) / (width - 1);
        input.mi.dy = (y * 65535 + height / 2) / (height - 1);
        input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        return input;
    };
    RECT before;
    GetWindowRect(window, &before);
    MovePointerTo(at(from.x, from.y, 0), from.x, from.y);
    INPUT down = at(from.x, from.y, MOUSEEVENTF_LEFTDOWN);
    SendInput(1, &down, sizeof(INPUT));
    // A hand moves in steps; the move loop follows each.
    for (int step = 1; step <= 8; ++step) {
        MovePointerTo(at(from.x + dx * step / 8, from.y + dy * step / 8, 0), from.x + dx * step / 8,
                      from.y + dy * step / 8);
    }
    INPUT up = at(from.x + dx, from.y + dy, MOUSEEVENTF_LEFTUP);
    SendInput(1, &up, sizeof(INPUT));
    return WaitUntil([&] {
        RECT now;
        return GetWindowRect(window, &now) && now.left == before.left + dx && now.top == before.top + dy;
    });
}

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

bool Game::BringToFront() {
    SetForegroundWindow(window_);
    return WaitUntil([&] { return GetForegroundWindow() == window_; });
}

bool Game::ClickMinimiseBox() {
    const bool minimised = IsIconic(window_) != FALSE;
    const POINT box = CaptionBox(window_, HTMINBUTTON);
    if (box.x < 0) return false;
    ClickScreen(box.x, box.y);
    return WaitUntil([&] { return (IsIconic(window_) != FALSE) != minimised; });
}

void Game::ClickCloseBox() {
    const POINT box = CaptionBox(window_, HTCLOSE);
    ClickScreen(box.x, box.y);
}

void Game::ClickCaption() {
    const POINT caption = CaptionBox(window_, HTCAPTION);
    ClickScreen(caption.x, caption.y);
}

bool Game::ChooseMenuItem(int barPosition, int itemPosition, int subItemPosition) {
    // From the keyboard: under Wine the first click on the menu bar after the
    // window has changed size is often lost, and every new picture resizes it.
    WaitUntil([] { return VisiblePopupMenu() == nullptr; });
    // A modal dialog that is closing still holds the window disabled: keys
    // sent now would go nowhere.
    if (!WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; })) return false;
    if (!BringToFront()) return false;
    // Each key waits until the menu has moved: a key that comes while the
    // game is busy must not overtake the one before it.
    const auto focus = [&] {
        int bar = -1, item = -1, subItem = -1;
        std::sscanf(Probe(kProbeMenuFocusMessage).c_str(), "%d\t%d\t%d", &bar, &item, &subItem);
        return std::tuple<int, int, int>(bar, item, subItem);
    };
    TapKey(VK_F10);  // F10 takes the bar, Right walks it
    if (!WaitUntil([&] { return std::get<0>(focus()) == 0; })) return false;
    for (int i = 0; i < barPosition; ++i) {
        TapKey(VK_RIGHT);
        if (!WaitUntil([&] { return std::get<0>(focus()) == i + 1; })) return false;
    }
    if (itemPosition < 0) {
        TapKey(VK_RETURN);  // a command on the bar itself
        return WaitUntil([&] { return std::get<0>(focus()) < 0; }) && Sync();
    }
    TapKey(VK_DOWN);  // opens the entries on the first one
    if (!WaitUntil([&] { return std::get<1>(focus()) == 0; })) return false;
    for (int i = 0; i < itemPosition; ++i) {
        const int from = std::get<1>(focus());
        TapKey(VK_DOWN);  // a separator is passed over
        if (!WaitUntil([&] { return std::get<1>(focus()) > from; })) return false;
    }
    if (subItemPosition >= 0) {
        TapKey(VK_RIGHT);  // opens the submenu on its first entry
        if (!WaitUntil([&] { return std::get<2>(focus()) == 0; })) return false;
        for (int i = 0; i < subItemPosition; ++i) {
            const int from = std::get<2>(focus());
            TapKey(VK_DOWN);
            if (!WaitUntil([&] { return std::get<2>(focus()) > from; })) return false;
        }
    }
    TapKey(VK_RETURN);
    // The menu posts the command as the item is chosen, before it goes away:
    // once the game has taken what was posted until then, the command has run
    // (or opened its dialog).
    return WaitUntil([] { return VisiblePopupMenu() == nullptr; }) && Sync();
}

void Game::PressAltF4(HWND target) {
    SetForegroundWindow(target ? target : window_);
    SendKey(VK_MENU, false);
    SendKey(VK_F4, false);
    SendKey(VK_F4, true);
    SendKey(VK_MENU, true);
}

void Game::PressKey(WORD key) { TapKey(key); }

void Game::ClickWindow(HWND target) {
    RECT r;
    GetWindowRect(target, &r);
    ClickScreen((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

POINT Game::ClientToScreenPoint(int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window_, &point);
    return point;
}

void Game::ClickClient(int x, int y, bool right) {
    const POINT point = ClientToScreenPoint(x, y);
    ClickScreen(point.x, point.y, right);
}

HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs) {
    HWND dialog = nullptr;
    WaitUntil([&] {
        dialog = FindWindowW(L"#32770", title);
        return dialog && IsWindowVisible(dialog);
    }, timeoutMs);
    return dialog;
}

bool WaitUntilClosed(HWND dialog, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, timeoutMs);
}

bool AnswerFileDialog(const wchar_t* title, const std::wstring& path) {
    HWND dialog = WaitForDialog(title);
    if (!dialog || !WaitUntil([&] { return NameFieldFocused(dialog); })) return false;
    if (path.empty()) {
        TapKey(VK_ESCAPE);
    } else {
        TypeText(path);
        TapKey(VK_RETURN);
    }
    return WaitUntilClosed(dialog);
}

std::wstring ControlText(HWND control) {
    wchar_t text[1024] = {};
    SendMessageW(control, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring FileTypeShown(HWND fileDialog) {
    // cmb1 of <dlgs.h>: the file type box of the explorer-style dialog.
    return fileDialog ? ControlText(GetDlgItem(fileDialog, 0x470)) : std::wstring();
}
