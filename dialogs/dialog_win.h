// Modal dialogs in the player's language, and what their procedures work on.
#pragma once

#include <windows.h>

// Runs the dialog resource `id` modally, centred over `owner`.
INT_PTR ShowDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter);
// In a dialog procedure: what the dialog works on, the `parameter` ShowDialog
// was given. Kept with the dialog (DWLP_USER) at WM_INITDIALOG; nullptr for a
// message before it.
template <class T>
T* DialogContext(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return reinterpret_cast<T*>(GetWindowLongPtrW(dialog, DWLP_USER));
}
// The common controls' window classes `classes` (ICC_UPDOWN_CLASS, ...)
// registered, for a dialog that holds one, before it opens. comctl32 is
// loaded by the first call, from the system folder: a run that opens no such
// dialog never loads it. False when the classes cannot be had.
bool RegisterCommonControls(DWORD classes);
// A message box whose text and title come from the string table.
int ShowMessage(HWND owner, UINT textId, UINT titleId, UINT type);
