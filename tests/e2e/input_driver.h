// Real input from the test, as a player gives it: keys, clicks, typing, and
// the dialogs that answer them.
#pragma once

#include <windows.h>

#include <string>

// How long a dialog may take to open or close after the input that asks for it.
constexpr DWORD kDialogTimeoutMs = 10000;

// One half of a key press: down, or up again.
void SendKey(WORD key, bool up);
// A real key press and release.
void TapKey(WORD key);

// A real click at a screen point.
void ClickScreen(int x, int y, bool right = false);

// Drags a window by its caption with the mouse; true once it has moved by (dx, dy).
bool DragCaption(HWND window, int dx, int dy);

// Real key presses that type `text` into the window with the focus.
void TypeText(const std::wstring& text);

// A visible dialog of any process titled `title`, or null after the time-out.
HWND WaitForDialog(const wchar_t* title, DWORD timeoutMs = kDialogTimeoutMs);
bool WaitUntilClosed(HWND dialog, DWORD timeoutMs = kDialogTimeoutMs);

// Answers a file-open dialog titled `title` from the keyboard: types `path`
// and Enter, or Escape when it is empty. True once the dialog has closed.
bool AnswerFileDialog(const wchar_t* title, const std::wstring& path);

// The text of a control of any process, asked with WM_GETTEXT.
std::wstring ControlText(HWND control);

// The file type a file-open dialog offers, as its type box shows it.
std::wstring FileTypeShown(HWND fileDialog);
