// The picture play-list and its editor.
#include "pictures/image_list.h"

#include <commdlg.h>
#include <wincodec.h>

#include <cwctype>
#include <string>

#include "app/app.h"
#include "app/com_ptr.h"
#include "app/game_state.h"
#include "pictures/list_editor.h"
#include "pictures/load_picture.h"
#include "res/resource.h"
#include "storage/list_file_win.h"

namespace {

constexpr int kPathSize = 1024;

// The file dialog's picture filter: bmp, jpg and gif first, then every
// picture the system's decoders read (png, tif and whatever else is installed).
const std::string& PictureFilter() {
    static std::string filter;
    if (!filter.empty()) return filter;
    std::string patterns = "*.bmp;*.jpg;*.gif";
    ComPtr<IEnumUnknown> decoders;
    if (g_state.surfaceFactory &&
        SUCCEEDED(g_state.surfaceFactory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault,
                                                                    decoders.Receive()))) {
        ComPtr<IUnknown> component;
        ULONG got = 0;
        while (decoders->Next(1, component.Receive(), &got) == S_OK && got == 1) {
            ComPtr<IWICBitmapDecoderInfo> info;
            wchar_t extensions[256] = {};
            UINT length = 0;
            if (FAILED(component->QueryInterface(IID_IWICBitmapDecoderInfo, info.ReceiveVoid())) ||
                FAILED(info->GetFileExtensions(256, extensions, &length))) {
                continue;
            }
            // ".png" or ".tiff,.tif": each becomes "*.png", once.
            std::wstring all(extensions);
            for (size_t start = 0; start < all.size();) {
                size_t end = all.find(L',', start);
                if (end == std::wstring::npos) end = all.size();
                std::string pattern = "*";
                for (size_t i = start; i < end; ++i) {
                    if (all[i] > 0x20 && all[i] < 0x7F) pattern += static_cast<char>(towlower(all[i]));
                }
                if (pattern.size() > 2 && (";" + patterns + ";").find(";" + pattern + ";") == std::string::npos) {
                    patterns += ";" + pattern;
                }
                start = end + 1;
            }
        }
    }
    filter = FileFilter(IDS_PICTURE_FILTER_NAME, "*.bmp;*.jpg;*.gif") + LoadText(IDS_ALL_PICTURES_NAME) + "(" +
             patterns + ")" + '\0' + patterns + '\0';
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
    if (!g_state.singleFileMode) SaveImageListFile(g_state.listFiles, g_state.imageList, true, g_state.highScores);
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
    ReloadImageListFile(g_state.listFiles, g_state.imageList, g_state.highScores);
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
