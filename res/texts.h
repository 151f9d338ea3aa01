// The program's texts from its string table.
#pragma once

#include <windows.h>

#include <string>

// A text of the string table, in code page 932 like every text the program shows.
std::string LoadText(UINT id);
// A text of the string table as it stands there, for the wide functions.
std::wstring LoadWideText(UINT id);
// A file dialog's filter of one entry: its name from the string table, then its patterns.
std::string FileFilter(UINT nameId, const char* patterns);
