// The play-list editor dialog and the file-open dialog shared by the picture and sound lists.
#include "dialogs/list_editor_win.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <algorithm>
#include <memory>

#include "dialogs/dropped_files_win.h"
#include "platform/code_page_win.h"
#include "platform/com_ptr_win.h"
#include "platform/paths.h"
#include "platform/system_library_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

// The folder dialog: the chosen folder, or empty when none was chosen.
std::wstring ChooseFolder(HWND owner, const std::wstring& title) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                dialog.ReceiveVoid()))) {
        return {};
    }
    // Without the dialog's own options it still picks what these ask for;
    // without the title it shows its own.
    FILEOPENDIALOGOPTIONS options = 0;
    if (FAILED(dialog->GetOptions(&options))) options = 0;
    if (FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST))) return {};
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

// The list box drawn once, when a batch of entries is in: a folder of
// thousands of files would otherwise redraw it for each of them.
class RedrawHeld {
  public:
    explicit RedrawHeld(HWND list) : list_(list) { SendMessageW(list_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawHeld() {
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }
    RedrawHeld(const RedrawHeld&) = delete;
    RedrawHeld& operator=(const RedrawHeld&) = delete;

  private:
    HWND list_;
};

// Puts `added` before the selected entry, in their order, or after the last
// one when none is selected; as many as the list box takes.
void InsertEntries(HWND dialog, const ListEditor& editor, EditorWork& work, const std::vector<std::string>& added) {
    if (added.empty()) return;
    if (editor.beforeAdding) editor.beforeAdding(dialog);
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    const size_t first = selection == LB_ERR ? work.entries.size() : static_cast<size_t>(selection);
    size_t inserted = 0;
    {
        RedrawHeld held(list);
        size_t bytes = 0;
        for (const std::string& entry : added) bytes += (std::min(entry.size(), kShownBytes) + 2) * sizeof(wchar_t);
        SendMessageW(list, LB_INITSTORAGE, added.size(), static_cast<LPARAM>(bytes));
        for (; inserted < added.size(); ++inserted) {
            const LRESULT result = SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(first + inserted),
                                                reinterpret_cast<LPARAM>(ShownText(added[inserted]).c_str()));
            if (result == LB_ERR || result == LB_ERRSPACE) break;
        }
    }
    // One move of the entries after the insertion point, not one for each entry added.
    work.entries.insert(work.entries.begin() + static_cast<ptrdiff_t>(first), added.begin(),
                        added.begin() + static_cast<ptrdiff_t>(inserted));
}

// Inserts the chosen file before the selected entry, or appends it.
void AddListEntry(HWND dialog, const ListEditor& editor, EditorWork& work) {
    const std::string path = ChooseFile(dialog, *editor.filter, *editor.title, editor.defaultExtension);
    if (!path.empty()) InsertEntries(dialog, editor, work, {path});
}

// Every file of the list's kind in the chosen folder, as Add inserts one.
void AddFolderEntries(HWND dialog, const ListEditor& editor, EditorWork& work) {
    const std::wstring folder = ChooseFolder(dialog, *editor.folderTitle);
    if (!folder.empty()) InsertEntries(dialog, editor, work, FolderEntries(folder, editor.patterns));
}

void DeleteListEntry(HWND dialog, const ListEditor& editor, EditorWork& work) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    const LRESULT selection = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (selection == LB_ERR || static_cast<size_t>(selection) >= work.entries.size()) return;
    if (SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(selection), 0) == LB_ERR) return;
    work.entries.erase(work.entries.begin() + selection);
}

void FillListEditor(HWND dialog, const ListEditor& editor, EditorWork& work) {
    HWND list = GetDlgItem(dialog, editor.listBox);
    for (const std::string& entry : *work.list) {
        const LRESULT result = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ShownText(entry).c_str()));
        if (result == LB_ERR || result == LB_ERRSPACE) break;
        work.entries.push_back(entry);
    }
}

// WM_INITDIALOG: the working copy of the list fills the list box, and lives
// until WM_DESTROY.
INT_PTR OpenEditor(HWND dialog, const ListEditor& editor, LPARAM list) {
    auto work = std::make_unique<EditorWork>();
    work->list = reinterpret_cast<std::vector<std::string>*>(list);
    KeepWork(dialog, editor, work.get());
    FillListEditor(dialog, editor, *work.release());
    // Files dropped from Explorer onto the list (or anywhere on the dialog).
    AcceptDroppedFiles(dialog);
    return TRUE;
}

INT_PTR CloseEditor(HWND dialog, const ListEditor& editor, EditorWork* work) {
    KeepWork(dialog, editor, nullptr);
    delete work;
    return FALSE;
}

INT_PTR DropOnEditor(HWND dialog, const ListEditor& editor, EditorWork& work, HDROP drop) {
    const std::vector<std::wstring> paths = TakeDroppedPaths(drop);
    // Not while the dialog waits for its file or folder dialog.
    if (IsWindowEnabled(dialog)) InsertEntries(dialog, editor, work, EntriesOfKind(paths, editor.patterns));
    return TRUE;
}

// The editor's buttons; FALSE for a command that is none of them.
INT_PTR OnEditorCommand(HWND dialog, const ListEditor& editor, EditorWork& work, UINT command) {
    switch (command) {
    case IDOK:
        *work.list = work.entries;
        EndDialog(dialog, IDOK);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case IDC_ADD:
        AddListEntry(dialog, editor, work);
        return TRUE;
    case IDC_ADD_FOLDER:
        AddFolderEntries(dialog, editor, work);
        return TRUE;
    case IDC_DELETE:
        DeleteListEntry(dialog, editor, work);
        return TRUE;
    default:
        return FALSE;
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
    // The common dialogs are loaded when a file is first asked for (Open, Add), not by every start.
    static const auto getOpenFileName =
        SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
    if (!getOpenFileName || !getOpenFileName(&dialog)) return {};
    return AnsiPath(path);
}

INT_PTR RunListEditor(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, const ListEditor& editor) {
    if (message == WM_INITDIALOG) return OpenEditor(dialog, editor, lParam);
    EditorWork* work = Work(dialog, editor);
    if (!work) return FALSE;  // a message before WM_INITDIALOG
    switch (message) {
    case WM_DESTROY:
        return CloseEditor(dialog, editor, work);
    case WM_DROPFILES:
        return DropOnEditor(dialog, editor, *work, reinterpret_cast<HDROP>(wParam));
    case WM_COMMAND:
        return OnEditorCommand(dialog, editor, *work, LOWORD(wParam));
    default:
        return FALSE;
    }
}
