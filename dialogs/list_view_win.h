// A report-style list view of a dialog filled with rows of text.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

using ListViewRow = std::vector<std::wstring>;

// The list's columns, left to right, replacing any it had; whole rows are
// selected, and the selection shows while the list has no focus.
void SetListViewColumns(HWND list, const std::vector<std::wstring>& headers);

// The rows in place of those shown, each column as wide as its widest text
// or its header.
void FillListView(HWND list, const std::vector<ListViewRow>& rows);

// Row `index` selected, focused and scrolled into view.
void SelectListViewRow(HWND list, int index);
