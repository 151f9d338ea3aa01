// The program's texts in the player's language, as Windows shows them: the
// string table, the menu and the dialogs, and the conversions between the
// list files' code page and UTF-16.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The language of every text the program shows, chosen once: Japanese when
// the user's UI language is Japanese, English for every other language.
LANGID TextLanguage();

// A text of the string table.
std::wstring LoadText(UINT id);
// A file dialog's filter of one entry: its name from the string table, then its patterns.
std::wstring FileFilter(UINT nameId, const wchar_t* patterns);

// The menu resource `id`; the window it is given to frees it.
HMENU LoadTextMenu(UINT id);
// Runs the dialog resource `id` modally over `owner`.
INT_PTR ShowDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter);
// In a dialog procedure: what the dialog works on, the `parameter` ShowDialog
// was given. Kept with the dialog (DWLP_USER) at WM_INITDIALOG; nullptr for a
// message before it.
template <class T>
T* DialogContext(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}
// A message box whose text and title come from the string table.
int ShowMessage(HWND owner, UINT textId, UINT titleId, UINT type);

// Texts of the list files (paths, names), which are in the system's code
// page, as Windows shows them; bytes that spell no character show as such.
std::wstring WideFromAnsi(std::string_view text);
// The program's own texts, made in UTF-8.
std::wstring WideFromUtf8(std::string_view text);
// A name typed by the player, in the list files' code page: a character the
// code page lacks becomes its nearest stand-in or '?', as before.
std::string AnsiText(const std::wstring& text);
// A path as the list files hold it. A path the code page cannot spell is
// given in its short form, when the file system keeps one; else it is empty.
std::string AnsiPath(const std::wstring& path);
