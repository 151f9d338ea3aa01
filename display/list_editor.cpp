// The play-list editor dialog and the file-open dialog shared by the picture and sound lists.
#include "display/list_editor.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <memory>

#include "display/com_ptr.h"
#include "display/dropped_files.h"
#include "res/resource.h"
#include "res/texts.h"
#include "storage/paths.h"

namespace {

// The folder dialog: the chosen folder, or empty when none was chosen.
std::wstring ChooseFolder(HWND owner, const std::wstring& title) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.ReceiveVoid()))) {
        return {};
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(title.c_str());
    ComPtr<IShellItem> item;
    if (FAILED(dialog->Show(owner)) || FAILED(dialog->GetResult(item.Receive()))) return {};
    wchar_t* path = nullptr;
    if (FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return {};
    std::wstring folder = path;
    CoTaskMemFree(path);
    return folder;
}

// The list box shows the entries; their bytes are kept here, so that an
// entry goes back to the list exactly as it came, whatever its length and
// whatever the code page makes of it.
struct EditorWork {
    std::vector<std::string>* list;    // the list OK replaces
    std::vector<std::string> entries;  // the working copy, in the list box's order
};

// Enough of an entry to tell it in the list box; a longer one (a pasted
// line, a damaged file) is shown cut.
constexpr size_t kShownBytes = 2048;

std::wstring ShownText(const std::string& entry) {
    if (entry.size() <= kShownBytes) return WideFromAnsi(entry);
    return WideFromAnsi(std::string_view(entry).substr(0, kShownBytes)) + L"\u2026";
}

// The working copy is kept with the list box it fills: the dialog's own
// place is for the context its procedure was shown with (DialogContext).
EditorWork* Work(HWND dialog, const ListEditor& editor) {
    return reinterpret_cast<EditorWork*>(GetWindowLongPtrW(GetDlgItem(dialog, editor.listBox), GWLP_USERDATA));
}

void KeepWork(HWND dialog, const ListEditor& editor, EditorWork* work) {
    SetWindowLongPtrW(GetDlgItem(dialog, editor.listBox), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(work));
}

// Puts `added` before the selected entry, in their order, or after the last
// one when none is selected. The number of entries put in.
int InsertEntries(HWND dialog, const ListEditor& editor, EditorWork& work, const std::vector<std::string>& added) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    size_t at = selection == LB_ERR ? work.entries.size() : static_cast<size_t>(selection);
    int inserted = 0;
    for (const std::string& entry : added) {
        const LRESULT result = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(at),
                                            reinterpret_cast<LPARAM>(ShownText(entry).c_str()));
        if (result == LB_ERR || result == LB_ERRSPACE) break;
        work.entries.insert(work.entries.begin() + static_cast<ptrdiff_t>(at), entry);
        ++at;
        ++inserted;
    }
    return inserted;
}

// Inserts the chosen file before the selected entry, or appends it.
int AddListEntry(HWND dialog, const ListEditor& editor, EditorWork& work) {
    const std::string path = ChooseFile(dialog, *editor.filter, *editor.title, editor.defaultExtension);
    if (path.empty()) return 0;
    return InsertEntries(dialog, editor, work, {path});
}

// Every file of the list's kind in the chosen folder, as Add inserts one.
int AddFolderEntries(HWND dialog, const ListEditor& editor, EditorWork& work) {
    const std::wstring folder = ChooseFolder(dialog, *editor.folderTitle);
    if (folder.empty()) return 0;
    return InsertEntries(dialog, editor, work, FolderEntries(folder, editor.patterns));
}

int DeleteListEntry(HWND dialog, const ListEditor& editor, EditorWork& work) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || static_cast<size_t>(selection) >= work.entries.size()) return 0;
    if (SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selection), 0) == LB_ERR) return 0;
    work.entries.erase(work.entries.begin() + selection);
    return 1;
}

void FillListEditor(HWND dialog, const ListEditor& editor, EditorWork& work) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    for (const std::string& entry : *work.list) {
        const LRESULT result =
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ShownText(entry).c_str()));
        if (result == LB_ERR || result == LB_ERRSPACE) break;
        work.entries.push_back(entry);
    }
}

}  // namespace

std::string ChooseFile(HWND owner, const std::wstring& filter, const std::wstring& title,
                       const wchar_t* defaultExtension) {
    wchar_t path[kPathSize] = {};
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = kPathSize;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON | OFN_EXPLORER | OFN_LONGNAMES;
    dialog.lpstrDefExt = defaultExtension;
    if (!GetOpenFileNameW(&dialog)) return {};
    return AnsiPath(path);
}

INT_PTR RunListEditor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const ListEditor& editor) {
    if (message == WM_INITDIALOG) {
        auto work = std::make_unique<EditorWork>();
        work->list = reinterpret_cast<std::vector<std::string>*>(lParam);
        KeepWork(dialog, editor, work.get());
        FillListEditor(dialog, editor, *work.release());
        // Files dropped from Explorer onto the list (or anywhere on the dialog).
        DragAcceptFiles(dialog, TRUE);
        return TRUE;
    }
    EditorWork* work = Work(dialog, editor);
    if (!work) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_DESTROY:
        KeepWork(dialog, editor, nullptr);
        delete work;
        return FALSE;
    case WM_DROPFILES: {
        const std::vector<std::wstring> paths = TakeDroppedPaths(reinterpret_cast<HDROP>(wParam));
        // Not while the dialog waits for its file or folder dialog.
        if (IsWindowEnabled(dialog)) InsertEntries(dialog, editor, *work, EntriesOfKind(paths, editor.patterns));
        return TRUE;
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            *work->list = work->entries;
            EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        case IDC_ADD:
            AddListEntry(dialog, editor, *work);
            return TRUE;
        case IDC_ADD_FOLDER:
            AddFolderEntries(dialog, editor, *work);
            return TRUE;
        case IDC_DELETE:
            DeleteListEntry(dialog, editor, *work);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
