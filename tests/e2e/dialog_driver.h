// Driving the game's dialogs with real input, read back through their windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "game_driver.h"

using Paths = std::vector<std::wstring>;


// What the dialog's list box `listBox` shows, top to bottom, and its selection.
Paths Entries(HWND dialog, int listBox);
LRESULT Selection(HWND dialog, int listBox);

// One row of a list view as the player sees it.
struct ShownRow {
    bool selected = false;
    std::vector<std::wstring> cells;  // the texts of its columns, left to right
};
// The rows of the list view `listView` of a dialog of the game, top to bottom,
// read inside the game's process by the probe.
std::vector<ShownRow> ListViewRows(Game& game, HWND dialog, int listView);

// The texts of a dialog's controls, in their order.
std::vector<std::wstring> ChildTexts(HWND dialog);

// The dialog's middle lies within a few pixels of the middle of `owner`, the
// window it opened over. Empty when so, else where each stands.
std::string CentredOver(HWND dialog, HWND owner);

// A real click on control `id` of the dialog.
void ClickButton(Game& game, HWND dialog, int id);

// A real click on entry `index` of the list box; true once it is selected.
bool SelectEntry(Game& game, HWND dialog, int listBox, int index);

struct AddedEntry {
    bool added = false;      // the editor shows one entry more and takes input again
    std::wstring fileType;  // what the file dialog's type box offered
};

// A real click on the editor's Add button, `path` typed into the file dialog
// titled `fileDialogTitle`. Done only once the editor shows the new entry and
// is enabled again: a click sent while the file dialog is still going away
// would be lost.
AddedEntry AddListEntry(Game& game, HWND editor, int listBox, const wchar_t* fileDialogTitle,
                        const std::wstring& path);
