// The picture play-list and its editor.
#include "pictures/image_list_win.h"

#include <wincodec.h>

#include <algorithm>
#include <cwctype>
#include <string>

#include "dialogs/dialog_win.h"
#include "dialogs/list_editor_win.h"
#include "display/presenter_win.h"
#include "pictures/load_picture_win.h"
#include "pictures/play_list.h"
#include "platform/code_page_win.h"
#include "platform/com_ptr_win.h"
#include "platform/paths.h"
#include "res/resource.h"
#include "res/texts_win.h"
#include "storage/files/files_win.h"
#include "storage/list_file_win.h"

// Every picture the system's decoders read: bmp, jpg and gif first, then
// png, tif and whatever else is installed ("*.bmp;*.jpg;*.gif;*.png;...").
const std::string& PicturePatterns(IWICImagingFactory* factory) {
    static std::string patterns;
    if (!patterns.empty()) return patterns;
    patterns = "*.bmp;*.jpg;*.gif";
    ComPtr<IEnumUnknown> decoders;
    if (factory &&
        SUCCEEDED(factory->CreateComponentEnumerator(WICDecoder, WICComponentEnumerateDefault, decoders.Receive()))) {
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

namespace {

// The file dialog's picture filter: bmp, jpg and gif first, then every
// picture the system's decoders read.
const std::wstring& PictureFilter(IWICImagingFactory* factory) {
    static std::wstring filter;
    if (!filter.empty()) return filter;
    const std::wstring patterns = WideFromUtf8(PicturePatterns(factory));
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

// Shows the first entry of `list` from `start` on that loads, dropping the
// ones that never will on the way.
PlayListStep ShowFirstThatLoads(HWND window, PictureSource& source, Screen& screen, std::vector<std::string>& list,
                                int start) {
    FolderCheck folders;
    return WalkPlayList(list, start, [&](const std::string& entry) {
        const std::string path = ResolveListEntry(source.entryFolder, entry);
        if (!folders.FolderExists(path)) return LoadOutcome::BadFile;
        return LoadPicture(window, source.wicFactory.get(), screen, path.c_str());
    });
}

// Shows the first entry of the play-list from `start` on that loads; the cursor follows it.
bool ShowListedPicture(HWND window, PictureSource& source, Screen& screen, int start) {
    const PlayListStep step = ShowFirstThatLoads(window, source, screen, source.imageList, start);
    source.imageCursor = step.cursor;
    return step.loaded;
}

// A single file in place of the play-list; kanoze.txt keeps the list, saved
// first while it is still the play-list.
void LeavePlayList(PictureSource& source, ListFiles& files, HighScoreTable& highScores) {
    // A save that fails keeps the player's list for the next save of kanoze.txt.
    if (!source.singleFileMode) SaveImageListFile(files, source.imageList, highScores);
    source.imageList.clear();
    source.singleFileMode = true;
}

// A picture just loaded taken off the screen again: nothing of it stays, and
// the window and view are as they were before it came.
void TakePictureBack(HWND window, Screen& screen, const RECT& before) {
    screen.picture.Reset();
    screen.pictureWidth = screen.pictureHeight = 0;
    screen.picturePath.clear();
    // Should no surface of the old view's size be had now, the picture's own
    // stays; a view larger than it then shows no frame until a picture loads.
    RecreateBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight);
    PutWindowBack(window, before);
}

// The Game menu with a single file shown.
PictureChange SingleFileShown() {
    PictureChange change;
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Grayed;
    change.reloadList = MenuItem::Enabled;
    return change;
}

}  // namespace

bool HasPictureSource(const PictureSource& source) {
    return source.singleFileMode || !source.imageList.empty();
}

PictureMode ModeOf(const PictureSource& source) {
    return source.singleFileMode ? PictureMode::SingleFile : PictureMode::PlayList;
}

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
    LeavePlayList(source, files, highScores);
    const std::string path = ChooseFile(window, PictureFilter(source.wicFactory.get()), PictureTitle(), L"bmp");
    if (path.empty()) return {};
    if (LoadPicture(window, source.wicFactory.get(), screen, path.c_str()) != LoadOutcome::Loaded) return {};
    return SingleFileShown();
}

PictureChange ShowNextListedPicture(HWND window, PictureSource& source, Screen& screen) {
    PictureChange change;
    if (ShowListedPicture(window, source, screen, source.imageCursor + 1)) {
        change.loaded = true;
        change.start = MenuItem::Enabled;
    }
    return change;
}

PictureChange ReloadImageList(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                              HighScoreTable& highScores) {
    source.imageCursor = 0;
    source.singleFileMode = false;
    // A kanoze.txt that cannot be read leaves the list empty, as a missing one does.
    source.imageList = ReloadImageListFile(files, highScores).entries;
    PictureChange change = LoadFirstListedPicture(window, source, screen);
    const bool listed = !source.imageList.empty();
    change.start = change.loaded ? MenuItem::Enabled : MenuItem::Grayed;
    change.nextPicture = listed ? MenuItem::Enabled : MenuItem::Grayed;
    // Reloading again only makes sense after a single file replaced the list.
    change.reloadList = listed ? MenuItem::Grayed : MenuItem::Unchanged;
    change.endsGame = !listed;
    return change;
}

PictureChange OpenDroppedPicture(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::string& path) {
    // Nothing is set aside for a file that does not load.
    if (LoadPicture(window, source.wicFactory.get(), screen, path.c_str()) != LoadOutcome::Loaded) return {};
    LeavePlayList(source, files, highScores);
    return SingleFileShown();
}

PictureChange AddDroppedPictures(HWND window, PictureSource& source, Screen& screen, ListFiles& files,
                                 HighScoreTable& highScores, const std::vector<std::string>& paths) {
    PictureChange change;
    // The play-list the pictures join: the one in play, or the one kanoze.txt
    // keeps while a single file is shown or while the file could not be read.
    const bool listKnown = files.imageListKnown;
    std::vector<std::string> list =
        source.singleFileMode || !listKnown ? ReloadImageListFile(files, highScores).entries : source.imageList;
    std::vector<std::string> joining = paths;
    const PlayListStep shown = ShowFirstThatLoads(window, source, screen, joining, 0);
    if (!shown.loaded) {
        files.imageListKnown = listKnown;
        return change;
    }
    // The files before the first that loads do not join.
    source.imageCursor = static_cast<int>(list.size());
    list.insert(list.end(), joining.begin() + shown.cursor, joining.end());
    source.imageList = std::move(list);
    change.loaded = true;
    change.start = MenuItem::Enabled;
    change.nextPicture = MenuItem::Enabled;
    // Back from a single file, the play-list is in play again, as after a reload.
    if (source.singleFileMode) change.reloadList = MenuItem::Grayed;
    source.singleFileMode = false;
    // Saved as the editor's OK saves it; a list the file keeps out of reach
    // waits in memory rather than replace it.
    TellIfAddsAreNotKept(window, files, ListFile::Pictures);
    SaveImageListFile(files, source.imageList, highScores);
    return change;
}

SavedPicture LoadSavedPicture(HWND window, PictureSource& source, Screen& screen, const std::string& entry, int width,
                              int height) {
    const std::string path = ResolveListEntry(source.entryFolder, entry);
    const RECT before = WindowRect(window);
    SavedPicture saved;
    saved.outcome = LoadPicture(window, source.wicFactory.get(), screen, path.c_str());
    if (saved.outcome != LoadOutcome::Loaded) return saved;
    if (screen.pictureWidth != width || screen.pictureHeight != height) {
        // Another picture under the same name, or another screen: the saved
        // arrangement does not fit it.
        TakePictureBack(window, screen, before);
        saved.outcome = LoadOutcome::BadFile;
        return saved;
    }
    // The list may name it otherwise (relative or not): resolved, they agree.
    const auto listed = std::find_if(source.imageList.begin(), source.imageList.end(), [&](const std::string& item) {
        return ResolveListEntry(source.entryFolder, item) == path;
    });
    if (listed != source.imageList.end()) {
        source.imageCursor = static_cast<int>(listed - source.imageList.begin());
        saved.change.loaded = true;
        saved.change.start = MenuItem::Enabled;
        return saved;
    }
    // A single file, as the file dialog had opened it; kanoze.txt keeps its list.
    source.imageList.clear();
    source.singleFileMode = true;
    saved.change = SingleFileShown();
    return saved;
}

INT_PTR CALLBACK ImageListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* edit = DialogContext<ImageListEdit>(dialog, message, lParam);
    if (!edit) return FALSE;  // a message before WM_INITDIALOG
    IWICImagingFactory* factory = edit->source->wicFactory.get();
    const ListEditor editor = {IDC_IMAGE_LIST,
                               &PictureFilter(factory),
                               &PictureTitle(),
                               L"bmp",
                               PicturePatterns(factory).c_str(),
                               &PictureFolderTitle(),
                               [edit](HWND dialog) { TellIfAddsAreNotKept(dialog, *edit->files, ListFile::Pictures); }};
    return RunListEditor(dialog, message, wParam, reinterpret_cast<LPARAM>(&edit->source->imageList), editor);
}
