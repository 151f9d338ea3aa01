// The picture play-list and its editor.
#include "pictures/image_list.h"

#include <wincodec.h>

#include <cwctype>
#include <string>

#include "app/game_state.h"
#include "display/com_ptr.h"
#include "display/list_editor.h"
#include "pictures/load_picture.h"
#include "res/resource.h"
#include "res/texts.h"
#include "storage/list_file.h"
#include "storage/list_file_win.h"

namespace {

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

PictureChange LoadFirstListedPicture(HWND window) {
    PictureChange change;
    g_state.imageCursor = 0;
    while (!g_state.imageList.empty()) {
        if (LoadPicture(window, g_state.imageList.front().c_str())) {
            change.loaded = true;
            change.start = MenuItem::Enabled;
            return change;
        }
        g_state.imageList.erase(g_state.imageList.begin());
    }
    change.start = MenuItem::Grayed;
    change.nextPicture = MenuItem::Grayed;
    return change;
}

PictureChange OpenSingleFile(HWND window) {
    PictureChange change;
    char path[kPathSize] = {};
    if (!g_state.singleFileMode) SaveImageListFile(g_state.listFiles, g_state.imageList, true, g_state.highScores);
    g_state.imageList.clear();
    g_state.singleFileMode = true;
    if (!ChooseFile(path, kPathSize, window, PictureFilter().c_str(), PictureTitle().c_str(), "bmp")) return change;
    if (!LoadPicture(window, path)) return change;
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Grayed;
    change.reloadList = MenuItem::Enabled;
    return change;
}

PictureChange AdvanceImageList(HWND window) {
    PictureChange change;
    if (g_state.imageCursor >= static_cast<int>(g_state.imageList.size())) g_state.imageCursor = 0;
    while (!g_state.imageList.empty()) {
        if (LoadPicture(window, g_state.imageList[g_state.imageCursor].c_str())) {
            change.loaded = true;
            change.start = MenuItem::Enabled;
            break;
        }
        DropEntryAtCursor();
    }
    return change;
}

PictureChange ReloadImageList(HWND window) {
    g_state.imageCursor = 0;
    g_state.imageList.clear();
    g_state.singleFileMode = false;
    ReloadImageListFile(g_state.listFiles, g_state.imageList, g_state.highScores);
    PictureChange change = LoadFirstListedPicture(window);
    const bool listed = !g_state.imageList.empty();
    change.start = listed ? MenuItem::Enabled : MenuItem::Grayed;
    change.nextPicture = listed ? MenuItem::Enabled : MenuItem::Grayed;
    // Reloading again only makes sense after a single file replaced the list.
    change.reloadList = listed ? MenuItem::Grayed : MenuItem::Unchanged;
    return change;
}

INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const ListEditor editor = {IDC_IMAGE_LIST, PictureFilter().c_str(), PictureTitle().c_str(), "bmp"};
    return RunListEditor(dialog, message, wParam, lParam, editor);
}
