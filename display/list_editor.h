// The play-list editor dialog and the file-open dialog, shared by the picture
// and sound lists. The editor's list box holds a working copy, Add and Delete
// change the copy, OK puts it back in place of the list, Cancel drops it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The longest path, its NUL included, that the file dialog hands out; the
// decoders and the filter graph take paths of the same length.
constexpr int kPathSize = 1024;

// The file-open dialog shared by the picture and sound lists. Nonzero when a
// file was chosen; its full path is then in `path`.
int ChooseFile(char* path, int size, HWND owner, const char* filter, const char* title,
               const char* defaultExtension);

struct ListEditor {
    int listBox;  // control id of the dialog's list box
    // What the file-open dialog of Add offers.
    const char* filter;
    const char* title;
    const char* defaultExtension;
};

// The dialog procedure of an editor of the list that WM_INITDIALOG's lParam
// points to (a std::vector<std::string>). The dialog ends with IDOK after
// the list was replaced, or with IDCANCEL.
INT_PTR RunListEditor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const ListEditor& editor);
