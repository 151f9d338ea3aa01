// A folder of twenty thousand pictures dropped on the play-list editor, timed
// from the drop to the list box drawn, beside a bare list box filled with
// the same folder's names.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "app/bench_win.h"
#include "bench_harness.h"
#include "dialogs/dialog_win.h"
#include "pictures/image_list_win.h"
#include "res/resource.h"

namespace {

constexpr int kFolderFiles = 20000;

// A drop of `path` as Explorer hands one over: DROPFILES and the wide path,
// freed by whoever takes it (DragFinish).
HGLOBAL MakeDrop(const std::wstring& path) {
    const size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    if (!drop) return nullptr;
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return memory;
}

// One round of the editor: it opens, the folder is dropped on it, and the
// time to its list box drawn with every file is kept before it is cancelled.
std::wstring g_folder;
double g_seconds = -1;

// Keeps the first dialog of the thread's windows in `found`. A function of
// its own: a lambda is no stdcall callback in the 32-bit build.
BOOL CALLBACK KeepDialog(HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wcscmp(name, L"#32770") != 0) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The editor: the dialog this thread shows.
HWND OpenEditor() {
    HWND editor = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), KeepDialog, reinterpret_cast<LPARAM>(&editor));
    return editor;
}

void CALLBACK DropOnEditor(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND editor = OpenEditor();
    HWND list = GetDlgItem(editor, IDC_IMAGE_LIST);
    const double began = Now();
    SendMessageW(editor, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(g_folder)), 0);
    UpdateWindow(list);
    g_seconds = SendMessageW(list, LB_GETCOUNT, 0, 0) >= kFolderFiles ? Now() - began : -1;
    PostMessageW(editor, WM_COMMAND, IDCANCEL, 0);
}

double EditorRound() {
    g_seconds = -1;
    SetTimer(nullptr, 0, 50, DropOnEditor);
    ImageListEdit edit = {&g_state.pictures, &g_state.listFiles};
    ShowDialog(g_state.mainWindow, IDD_IMAGE_LIST, ImageListDlgProc, reinterpret_cast<LPARAM>(&edit));
    return g_seconds;
}

// The floor: the folder's names listed and put into a bare list box, redraw
// held, storage reserved, then drawn once.
double FloorRound(HWND list) {
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const double began = Now();
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_INITSTORAGE, kFolderFiles, kFolderFiles * 160);
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((g_folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return -1;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((g_folder + found.cFileName).c_str()));
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    UpdateWindow(list);
    return SendMessageW(list, LB_GETCOUNT, 0, 0) == kFolderFiles ? Now() - began : -1;
}

}  // namespace

void MeasureAddFolder(const std::string& work) {
    g_folder = Wide(work) + L"many\\";
    HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 0,
                                240, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    std::vector<double> game, floor;
    for (int i = 0; i < kRounds; ++i) {
        const double g = EditorRound(), f = FloorRound(list);
        Note("add folder round %d: editor %.0f ms, bare list box %.0f ms", i, g * 1000, f * 1000);
        if (g > 0 && f > 0) {
            game.push_back(g);
            floor.push_back(f);
        }
    }
    DestroyWindow(list);
    AddRow({"Add Folder of 20,000 pictures, dropped on the editor", "listing them into a bare list box, redraw held",
            Describe(SpreadOf(game), "ms", 1000), Describe(SpreadOf(floor), "ms", 1000), SpreadOf(Ratios(game, floor)),
            2.0, false});
}
