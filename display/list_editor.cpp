// The play-list editor dialog and the file-open dialog shared by the picture and sound lists.
#include "display/list_editor.h"

#include <commdlg.h>

#include "res/resource.h"

namespace {

// Inserts the chosen file before the selected entry, or appends it.
int AddListEntry(HWND dialog, const ListEditor& editor) {
    char path[kPathSize] = {};
    if (!ChooseFile(path, kPathSize, dialog, editor.filter, editor.title, editor.defaultExtension)) return 0;
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
    const LRESULT result = selection == LB_ERR
                               ? SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(path))
                               : SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(selection),
                                              reinterpret_cast<LPARAM>(path));
    return result == LB_ERR || result == LB_ERRSPACE ? 0 : 1;
}

int DeleteListEntry(HWND dialog, const ListEditor& editor) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR) return 0;
    return SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(selection), 0) == LB_ERR ? 0 : 1;
}

void FillListEditor(HWND dialog, const ListEditor& editor, const std::vector<std::string>& entries) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    for (const std::string& entry : entries) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void ApplyListEditor(HWND dialog, const ListEditor& editor, std::vector<std::string>& entries) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    entries.clear();
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length == LB_ERR) continue;
        std::string entry(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&entry[0]));
        entry.resize(static_cast<size_t>(length));
        entries.push_back(entry);
    }
}

}  // namespace

int ChooseFile(char* path, int size, HWND owner, const char* filter, const char* title,
               const char* defaultExtension) {
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = static_cast<DWORD>(size);
    dialog.lpstrTitle = title;
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON | OFN_EXPLORER | OFN_LONGNAMES;
    dialog.lpstrDefExt = defaultExtension;
    return GetOpenFileNameA(&dialog);
}

INT_PTR RunListEditor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const ListEditor& editor) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
    auto* list = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (!list) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_INITDIALOG:
        FillListEditor(dialog, editor, *list);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            ApplyListEditor(dialog, editor, *list);
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_ADD:
            AddListEntry(dialog, editor);
            return TRUE;
        case IDC_DELETE:
            DeleteListEntry(dialog, editor);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
