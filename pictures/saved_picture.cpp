// The picture of a saved game.
#include "pictures/saved_picture.h"

#include <algorithm>

#include "pictures/load_picture.h"
#include "storage/paths.h"

PictureChange LoadSavedPicture(HWND window, PictureSource& source, Screen& screen, const std::string& path,
                               int width, int height) {
    PictureChange change;
    if (LoadPicture(window, source.wicFactory.get(), screen, path.c_str()) != LoadOutcome::Loaded) return change;
    if (screen.pictureWidth != width || screen.pictureHeight != height) {
        // Another picture under the same name, or another screen: the saved
        // arrangement does not fit it. Nothing of it stays on the screen.
        screen.picture.Reset();
        screen.pictureWidth = screen.pictureHeight = 0;
        screen.picturePath.clear();
        return change;
    }
    change.loaded = true;
    change.start = MenuItem::Enabled;
    // The list may name it relative to the program's folder.
    const auto listed = std::find_if(source.imageList.begin(), source.imageList.end(), [&](const std::string& entry) {
        return ResolveListEntry(source.entryFolder, entry) == path;
    });
    if (listed != source.imageList.end()) {
        source.imageCursor = static_cast<int>(listed - source.imageList.begin());
        return change;
    }
    // A single file, as the file dialog had opened it; kanoze.txt keeps its list.
    source.imageList.clear();
    source.singleFileMode = true;
    change.nextPicture = MenuItem::Grayed;
    change.reloadList = MenuItem::Enabled;
    return change;
}
