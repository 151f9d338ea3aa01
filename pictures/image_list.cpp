// The picture play-list and its editor.
#include "pictures/image_list.h"

#include <wincodec.h>

#include <cwctype>
#include <string>

#include "display/com_ptr.h"
#include "display/list_editor.h"
#include "pictures/load_picture.h"
#include "pictures/play_list.h"
#include "res/resource.h"
#include "res/texts.h"
#include "storage/list_file_win.h"
#include "storage/paths.h"

namespace {

// The file dialog's picture filter: bmp, jpg and gif first, then every
// picture the system's decoders read (png, tif and whatever else is installed).
const std::string& PictureFilter(IWICImagingFactory* factory) {
    static std::string filter;
    if (!filter.empty()) return filter;
    std::string patterns = "*.bmp;*.jpg;*.gif";
    ComPtr<IEnumUnknown> decoders;
    if (factory &&
        SUCCEEDED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault,
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

// Shows the first entry from `start` on that loads; the cursor follows it.
bool ShowListedPicture(HWND window, PictureSource& source, Screen& screen, int start) {
    FolderCheck folders;
    const PlayListStep step = WalkPlayList(source.imageList, start, [&](const std::string& entry) {
        const std::string path = ResolveListEntry(source.entryFolder, entry);
        if (!folders.FolderExists(path)) return LoadOutcome::BadFile;
        return LoadPicture(window, source.surfaceFactory.get(), screen, path.c_str());
    });
    source.imageCursor = step.cursor;
    return step.loaded;
}

}  // namespace

PictureChange LoadFirstListedPicture(HWND window, PictureSource& source, Screen& screen) {
    PictureChange change;
    if (ShowListedPicture(window, source, screen, 0)) {
        change.loaded = true;
        change.start = MenuItem::Enabled;
        return change;
    }
    change.start = MenuItem::Grayed;
    // Entries that could not load now are tried again by Next picture.
    if (source.imageList.empty()) change.nextPicture = MenuItem::Grayed;
    return change;
}

PictureChange OpenSingleFile(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                             HighScoreTable& highScores) {
    PictureChange change;
    char path[kPathSize] = {};
    if (!source.singleFileMode) SaveImageListFile(files, source.imageList, true, highScores);
    source.imageList.clear();
    source.singleFileMode = true;
    const std::string& filter = PictureFilter(source.surfaceFactory.get());
    if (!ChooseFile(path, kPathSize, window, filter.c_str(), PictureTitle().c_str(), "bmp")) return change;
    if (LoadPicture(window, source.surfaceFactory.get(), screen, path) != LoadOutcome::Loaded) return change;
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Grayed;
    change.reloadList = MenuItem::Enabled;
    return change;
}

PictureChange AdvanceImageList(HWND window, PictureSource& source, Screen& screen) {
    PictureChange change;
    if (ShowListedPicture(window, source, screen, source.imageCursor)) {
        change.loaded = true;
        change.start = MenuItem::Enabled;
    }
    return change;
}

PictureChange ReloadImageList(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                              HighScoreTable& highScores) {
    source.imageCursor = 0;
    source.imageList.clear();
    source.singleFileMode = false;
    ReloadImageListFile(files, source.imageList, highScores);
    PictureChange change = LoadFirstListedPicture(window, source, screen);
    const bool listed = !source.imageList.empty();
    change.start = change.loaded ? MenuItem::Enabled : MenuItem::Grayed;
    change.nextPicture = listed ? MenuItem::Enabled : MenuItem::Grayed;
    // Reloading again only makes sense after a single file replaced the list.
    change.reloadList = listed ? MenuItem::Grayed : MenuItem::Unchanged;
    return change;
}

INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    // The editor keeps the list in GWLP_USERDATA; the source stays here.
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* source = reinterpret_cast<PictureSource*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!source) return FALSE;  // a message before WM_INITDIALOG
    const ListEditor editor = {IDC_IMAGE_LIST, PictureFilter(source->surfaceFactory.get()).c_str(),
                               PictureTitle().c_str(), "bmp"};
    return RunListEditor(dialog, message, wParam, reinterpret_cast<LPARAM>(&source->imageList), editor);
}
