// Driving the game's dialogs with real input.
#include "dialog_driver.h"

#include <cstdio>

Paths Entries(HWND dialog, int listBox) {
    HWND list = GetDlgItem(dialog, listBox);
    Paths out;
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        const LRESULT got =
            SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? static_cast<size_t>(got) : 0);
        out.push_back(text);
    }
    return out;
}

std::vector<ShownRow> ListViewRows(Game& game, HWND dialog, int listView) {
    std::vector<ShownRow> rows;
    const LPARAM list = reinterpret_cast<LPARAM>(GetDlgItem(dialog, listView));
    for (const std::string& line : SplitLines(game.Probe(kProbeListViewMessage, list))) {
        ShownRow row;
        row.selected = !line.empty() && line[0] == '*';
        for (size_t start = line.find('\t'); start != std::string::npos;) {
            const size_t tab = line.find('\t', start + 1);
            row.cells.push_back(Wide(line.substr(start + 1, tab == std::string::npos ? tab : tab - start - 1)));
            start = tab;
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::wstring> ChildTexts(HWND dialog) {
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        texts.push_back(ControlText(child));
    }
    return texts;
}

std::string CentredOver(HWND dialog, HWND owner) {
    RECT inner = {}, outer = {};
    if (!GetWindowRect(dialog, &inner) || !GetWindowRect(owner, &outer)) return "no window";
    // Twice the middles, so that odd sizes compare exactly; a pixel of
    // rounding each way is allowed.
    const long dx = (inner.left + inner.right) - (outer.left + outer.right);
    const long dy = (inner.top + inner.bottom) - (outer.top + outer.bottom);
    if (dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2) return "";
    char text[160];
    std::snprintf(text, sizeof text, "dialog (%ld,%ld)-(%ld,%ld) over window (%ld,%ld)-(%ld,%ld)", inner.left,
                  inner.top, inner.right, inner.bottom, outer.left, outer.top, outer.right, outer.bottom);
    return text;
}

LRESULT Selection(HWND dialog, int listBox) {
    return SendMessageW(GetDlgItem(dialog, listBox), LB_GETCURSEL, 0, 0);
}

void ClickButton(Game& game, HWND dialog, int id) {
    // A dialog under a file dialog that is still closing takes no clicks yet.
    WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; });
    game.ClickWindow(GetDlgItem(dialog, id));
}

bool SelectEntry(Game& game, HWND dialog, int listBox, int index) {
    HWND list = GetDlgItem(dialog, listBox);
    RECT item = {};
    if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) == LB_ERR) return false;
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MapWindowPoints(list, game.window(), &centre, 1);
    game.ClickClient(centre.x, centre.y);
    return WaitUntil([&] { return Selection(dialog, listBox) == index; });
}

AddedEntry AddListEntry(Game& game, HWND editor, int listBox, const wchar_t* fileDialogTitle,
                        const std::wstring& path) {
    AddedEntry result;
    const size_t before = Entries(editor, listBox).size();
    ClickButton(game, editor, IDC_ADD);
    result.fileType = FileTypeShown(WaitForDialog(fileDialogTitle));
    result.added = AnswerFileDialog(fileDialogTitle, path) && WaitUntil([&] {
        return IsWindowEnabled(editor) && Entries(editor, listBox).size() == before + 1;
    });
    return result;
}
