// The program's texts in the player's language: the string table, the menu
// and the dialog templates of the set chosen at start-up.
#pragma once

#include <windows.h>

#include <string>

// The language of every text the program shows, chosen once: Japanese when
// the user's UI language is Japanese, English for every other language.
LANGID TextLanguage();

// A text of the string table.
std::wstring LoadText(UINT id);
// A file dialog's filter of one entry: its name from the string table, then its patterns.
std::wstring FileFilter(UINT nameId, const wchar_t* patterns);

// The menu resource `id`; the window it is given to frees it.
HMENU LoadTextMenu(UINT id);
// The dialog template `id` in the chosen language, or null.
const DLGTEMPLATE* LoadTextDialog(UINT id);
// The module the resources are in: the program's own.
HMODULE ProgramModule();
