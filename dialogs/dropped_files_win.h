// Files that come in more than one at a time: dropped from Explorer, or the
// files of a chosen folder, as entries of a play-list.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>
#include <vector>

// Files dropped from Explorer come to `window` as WM_DROPFILES from here on.
void AcceptDroppedFiles(HWND window);
// The paths of a drop from Explorer, in the order it lists them; the drop's
// memory is given back.
std::vector<std::wstring> TakeDroppedPaths(HDROP drop);

bool IsFolder(const std::wstring& path);

// The files directly in `folder` (not in its sub-folders) whose names match
// `patterns` ("*.bmp;*.jpg"), in the order Explorer sorts names, as the list
// files spell them. A name the code page cannot spell is left out.
std::vector<std::string> FolderEntries(const std::wstring& folder, std::string_view patterns);

// What dropped paths give a list of the kind `patterns`: each file that
// matches, in the drop's order, and the matching files of each folder.
std::vector<std::string> EntriesOfKind(const std::vector<std::wstring>& paths, std::string_view patterns);
