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

// Every picture the system's decoders read: bmp, jpg and gif first, then
// png, tif and whatever else is installed ("*.bmp;*.jpg;*.gif;*.png;...").
const std::string& PicturePatternsOf(IWICImagingFactory* factory) {
    static std::string patterns;
    if (!patterns.empty()) return patterns;
    patterns = "*.bmp;*.jpg;*.gif";
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
    return patterns;
}

// The file dialog's picture filter: bmp, jpg and gif first, then every
// picture the system's decoders read.
const std::wstring& PictureFilter(IWICImagingFactory* factory) {
    static std::wstring filter;
    if (!filter.empty()) return filter;
    const std::wstring patterns = WideFromUtf8(PicturePatternsOf(factory));
    filter = FileFilter(IDS_PICTURE_FILTER_NAME, L"*.bmp;*.jpg;*.gif") + LoadText(IDS_ALL_PICTURES_NAME) + L"(" +
             patterns + L")" + L'\0' + patterns + L'\0';
    return filter;
}

const std::wstring& PictureTitle() {
    static const std::wstring title = LoadText(IDS_PICTURE_TITLE);
    return title;
}

const std::wstring& PictureFolderTitle() {
    static const std::wstring title = LoadText(IDS_PICTURE_FOLDER_TITLE);
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
    if (!source.singleFileMode) SaveImageListFile(files, source.imageList, true, highScores);
    source.imageList.clear();
    source.singleFileMode = true;
    const std::string path = ChooseFile(window, PictureFilter(source.surfaceFactory.get()), PictureTitle(), L"bmp");
    if (path.empty()) return change;
    if (LoadPicture(window, source.surfaceFactory.get(), screen, path.c_str()) != LoadOutcome::Loaded) return change;
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

const std::string& PicturePatterns(IWICImagingFactory* factory) { return PicturePatternsOf(factory); }

PictureChange OpenDroppedPicture(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::string& path) {
    PictureChange change;
    // Nothing is set aside for a file that does not load.
    if (LoadPicture(window, source.surfaceFactory.get(), screen, path.c_str()) != LoadOutcome::Loaded) return change;
    if (!source.singleFileMode) SaveImageListFile(files, source.imageList, true, highScores);
    source.imageList.clear();
    source.singleFileMode = true;
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Grayed;
    change.reloadList = MenuItem::Enabled;
    return change;
}

PictureChange AddDroppedPictures(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::vector<std::string>& paths) {
    PictureChange change;
    // The play-list the pictures join: the one in play, or the one kanoze.txt
    // keeps while a single file is shown or while the file could not be read.
    std::vector<std::string> list = source.imageList;
    const bool listKnown = files.imageListKnown;
    if (source.singleFileMode || !listKnown) ReloadImageListFile(files, list, highScores);
    size_t first = 0;
    while (first < paths.size() &&
           LoadPicture(window, source.surfaceFactory.get(), screen, paths[first].c_str()) != LoadOutcome::Loaded) {
        ++first;  // a file that does not load does not join
    }
    if (first == paths.size()) {
        files.imageListKnown = listKnown;
        return change;
    }
    source.imageCursor = static_cast<int>(list.size());
    list.insert(list.end(), paths.begin() + static_cast<ptrdiff_t>(first), paths.end());
    source.imageList = std::move(list);
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Enabled;
    // Back from a single file, the play-list is in play again, as after a reload.
    if (source.singleFileMode) change.reloadList = MenuItem::Grayed;
    source.singleFileMode = false;
    // Saved as the editor's OK saves it; a list the file keeps out of reach
    // waits in memory rather than replace it.
    SaveImageListFile(files, source.imageList, true, highScores);
    return change;
}

INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* source = DialogContext<PictureSource>(dialog, message, lParam);
    if (!source) return FALSE;  // a message before WM_INITDIALOG
    IWICImagingFactory* factory = source->surfaceFactory.get();
    const ListEditor editor = {IDC_IMAGE_LIST, &PictureFilter(factory), &PictureTitle(), L"bmp",
                               PicturePatternsOf(factory).c_str(), &PictureFolderTitle()};
    return RunListEditor(dialog, message, wParam, reinterpret_cast<LPARAM>(&source->imageList), editor);
}
