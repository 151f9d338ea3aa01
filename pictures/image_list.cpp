// The picture play-list and its editor.
#include "pictures/image_list.h"

#include <commdlg.h>

#include <string>

#include "app/app.h"
#include "app/game_state.h"
#include "pictures/list_editor.h"
#include "pictures/load_picture.h"
#include "res/resource.h"
#include "storage/list_file_win.h"

namespace {

const char kImageListFile[] = "kanoze.txt";
constexpr int kPathSize = 1024;

// The file dialog's texts, from the string table once the program runs.
const std::string& PictureFilter() {
    static const std::string filter = FileFilter(IDS_PICTURE_FILTER_NAME, "*.bmp;*.jpg;*.gif");
    return filter;
}
const std::string& PictureTitle() {
    static const std::string title = LoadText(IDS_PICTURE_TITLE);
    return title;
}

// Drops the entry at the cursor; the cursor wraps to the start past the end.
void DropEntryAtCursor() {
    g_state.imageList.erase(g_state.imageList.begin() + g_state.imageCursor);
    if (g_state.imageCursor >= static_cast<int>(g_state.imageList.size())) g_state.imageCursor = 0;
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

void SaveImageList() {
    // A list file that could not be read is not replaced by what this run holds.
    if (g_state.imageListUnreadable) return;
    WriteImageListFile(GetProgramDirectory() + kImageListFile, g_state.imageList, g_state.highScores);
}

void SaveBestTimes() {
    if (!g_state.singleFileMode) {
        SaveImageList();
        return;
    }
    const std::string path = GetProgramDirectory() + kImageListFile;
    std::vector<std::string> kept;
    HighScoreTable ignored;
    if (ReadListFile(path, kept, ignored) == ListFileRead::Unreadable) return;
    WriteImageListFile(path, kept, g_state.highScores);
}

int LoadFirstListedPicture(HWND window) {
    g_state.imageCursor = 0;
    while (!g_state.imageList.empty()) {
        if (LoadPicture(window, g_state.imageList.front().c_str())) return 1;
        g_state.imageList.erase(g_state.imageList.begin());
    }
    return 0;
}

int OpenSingleFile(HWND window) {
    char path[kPathSize] = {};
    if (!g_state.singleFileMode) SaveImageList();
    g_state.imageList.clear();
    g_state.singleFileMode = true;
    if (!ChooseFile(path, kPathSize, window, PictureFilter().c_str(), PictureTitle().c_str(), "bmp")) return 0;
    const int result = LoadPicture(window, path);
    if (!result) return 0;
    g_state.play.playing = false;
    g_state.play.revealPending = false;
    g_state.play.firstPick = -1;
    g_state.play.secondPick = -1;
    SetMenuCommand(window, IDM_NEXT_PICTURE, false);
    SetMenuCommand(window, IDM_IMAGE_LIST_RELOAD, true);
    SetMenuCommand(window, IDM_START, true);
    DrawMenuBar(window);
    return result;
}

int AdvanceImageList(HWND window) {
    int result = 0;
    if (g_state.imageCursor >= static_cast<int>(g_state.imageList.size())) g_state.imageCursor = 0;
    while (!g_state.imageList.empty()) {
        result = LoadPicture(window, g_state.imageList[g_state.imageCursor].c_str());
        if (result) break;
        DropEntryAtCursor();
    }
    return result;
}

int ReloadImageList(HWND window) {
    g_state.imageCursor = 0;
    g_state.imageList.clear();
    g_state.play.revealPending = false;
    g_state.singleFileMode = false;
    g_state.imageListUnreadable = ReadListFile(GetProgramDirectory() + kImageListFile, g_state.imageList,
                                               g_state.highScores) == ListFileRead::Unreadable;
    LoadFirstListedPicture(window);
    if (!g_state.imageList.empty()) {
        SetMenuCommand(window, IDM_IMAGE_LIST_RELOAD, false);
        SetMenuCommand(window, IDM_NEXT_PICTURE, true);
        SetMenuCommand(window, IDM_START, true);
    } else {
        SetMenuCommand(window, IDM_NEXT_PICTURE, false);
        SetMenuCommand(window, IDM_START, false);
        g_state.play.playing = false;
    }
    DrawMenuBar(window);
    return 1;
}

INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    const ListEditor editor = {IDC_IMAGE_LIST, PictureFilter().c_str(), PictureTitle().c_str(), "bmp"};
    return RunListEditor(dialog, message, wParam, editor, g_state.imageList);
}
