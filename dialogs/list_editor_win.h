// The play-list editor dialog and the file-open dialog, shared by the picture
// and sound lists. The editor's list box shows a working copy, Add, Add
// folder, drops and Delete change the copy, OK puts it back in place of the
// list, Cancel drops it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The file-open dialog shared by the picture and sound lists: the chosen
// file's path as the list files spell it, or empty when none was chosen (or
// its path cannot be spelt there).
std::string ChooseFile(HWND owner, const std::wstring& filter, const std::wstring& title,
                       const wchar_t* defaultExtension);

struct ListEditor {
    int listBox;  // control id of the dialog's list box
    // What the file-open dialog of Add offers.
    const std::wstring* filter;
    const std::wstring* title;
    const wchar_t* defaultExtension;
    // The files of the list's kind ("*.bmp;*.jpg"), taken from a folder or a drop.
    const char* patterns;
    const std::wstring* folderTitle;
    // Called over the editor before entries are added: the list's owner
    // may have a word for the player about them.
    std::function<void(HWND editor)> beforeAdding;
};

// The dialog procedure of an editor of the list that WM_INITDIALOG's lParam
// points to (a std::vector<std::string>). The dialog ends with IDOK after
// the list was replaced, or with IDCANCEL. Entries go through it byte for
// byte, whatever their length and whatever the code page makes of them.
INT_PTR RunListEditor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const ListEditor& editor);
