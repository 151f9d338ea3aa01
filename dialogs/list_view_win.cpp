// Report-style list views of the dialogs.
#include "dialogs/list_view_win.h"

#include <commctrl.h>

#include <algorithm>

void SetListViewColumns(HWND list, const std::vector<std::wstring>& headers) {
    while (SendMessageW(list, LVM_DELETECOLUMN, 0, 0)) {
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (size_t i = 0; i < headers.size(); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(headers[i].c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

namespace {

// The width of `text` in the list's font.
int TextWidth(HWND list, const std::wstring& text) {
    return static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

// Each column as wide as its widest text or its header, with the margins
// the list view draws around a text: measured here, since a list view sizes
// a column by its rows alone on some systems, cutting its header.
void FitColumns(HWND list, const std::vector<ListViewRow>& rows) {
    RECT margin = {0, 0, 8, 0};  // dialog units, so that it grows with the scaling
    MapDialogRect(GetParent(list), &margin);
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
        wchar_t text[128] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 128;
        SendMessageW(list, LVM_GETCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        int width = TextWidth(list, text);
        for (const ListViewRow& row : rows) {
            if (static_cast<size_t>(c) < row.size()) width = std::max(width, TextWidth(list, row[c]));
        }
        SendMessageW(list, LVM_SETCOLUMNWIDTH, c, width + margin.right);
    }
}

}  // namespace

void FillListView(HWND list, const std::vector<ListViewRow>& rows) {
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        const ListViewRow& row = rows[r];
        for (size_t c = 0; c < row.size(); ++c) {
            LVITEMW item = {};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = const_cast<wchar_t*>(row[c].c_str());
            SendMessageW(list, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r, reinterpret_cast<LPARAM>(&item));
        }
    }
    FitColumns(list, rows);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void SelectListViewRow(HWND list, int index) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
}
