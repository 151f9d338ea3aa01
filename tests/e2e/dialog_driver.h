// Driving the game's dialogs with real input: the play-list editors and the
// file-open dialog they open, read back through their windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "game_driver.h"

using Paths = std::vector<std::wstring>;

constexpr DWORD kDialogTimeoutMs = 10000;

// Types `text` as real key presses of its characters.
void TypeText(const std::wstring& text);

// The visible dialog titled `title`, or null when none shows up in time.
HWND WaitForDialog(const wchar_t* title);
bool WaitUntilClosed(HWND dialog);

// What the dialog's list box `listBox` shows, top to bottom, and its selection.
Paths Entries(HWND dialog, int listBox);
LRESULT Selection(HWND dialog, int listBox);

// A real click on control `id` of the dialog.
void ClickButton(Game& game, HWND dialog, int id);

// A real click on entry `index` of the list box; true once it is selected.
bool SelectEntry(Game& game, HWND dialog, int listBox, int index);

// Answers the file dialog titled `title`: types `path` and Enter, or Escape
// when `path` is empty. True once the dialog has closed.
bool AnswerFileDialog(Game& game, const wchar_t* title, const std::wstring& path);
