// The list files on disk: every read and every save of kanoze.txt and sound.txt.
#include "storage/list_file_win.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "res/resource.h"
#include "res/texts_win.h"
#include "storage/files/files_win.h"
#include "storage/list_file.h"
#include "storage/list_file_bench_win.h"

namespace {

// A list file's bytes. One that holds no list the reader knows counts as
// unreadable: taken for an empty list, it would be written over by the next save.
WholeFile ReadListFileBytes(const std::string& path) {
    WholeFile file = ReadWholeFile(path);
    if (file.read != ListFileRead::Read || HoldsListFile(file.bytes)) return file;
    return {ListFileRead::Unreadable, {}};
}

// True when the list file at `path` exists and was read, but holds no list
// this program reads (a list saved as UTF-16, a text that is no list): it
// is left as it is, and nothing added to its list reaches it.
bool HoldsNoList(const std::string& path) {
    const WholeFile file = ReadWholeFile(path);
    return file.read == ListFileRead::Read && !HoldsListFile(file.bytes);
}

const char kImageListFile[] = "kanoze.txt";
const char kSoundListFile[] = "sound.txt";

// The list a save of kanoze.txt writes: the play-list, or the file's own
// while a single picture is shown.
SavedList ListOfMode(PictureMode mode) {
    return mode == PictureMode::SingleFile ? SavedList::FileOwn : SavedList::Given;
}

// Saves kanoze.txt: the best times merged with those the file holds now, and
// `imageList` when `list` asks for it and it is the player's, else a list
// whose save failed before, else the file's own. A file that cannot be read
// is not written; a best time then waits for the next save. True when the
// file was written.
bool SaveKanozeTxt(ListFiles& files, const std::vector<std::string>& imageList, SavedList list, HighScoreTable& table) {
    if (!ImageListSaveWanted(files, list)) return false;
    const bool useMemoryList = list == SavedList::Given && files.imageListKnown;
    const std::vector<std::string>* given = useMemoryList            ? &imageList
                                            : files.unsavedImageList ? &*files.unsavedImageList
                                                                     : nullptr;
    const std::vector<std::string> noList;
    const WholeFile current = ReadListFileBytes(files.imagePath);
    // Never write what was not read: the file may hold best times of its own.
    bool written = false;
    if (current.read != ListFileRead::Unreadable) {
        ImageListSave save = ComposeImageListSave(current.bytes, given ? *given : noList,
                                                  given ? SavedList::Given : SavedList::FileOwn, table);
        table = std::move(save.bestTimes);
        written = WriteWholeFile(files.imagePath, save.bytes);
    }
    if (!written) {
        // Kept for the next save, as a best time is.
        if (useMemoryList) files.unsavedImageList = imageList;
        return false;
    }
    files.recordsPending = false;
    files.unsavedImageList.reset();
    return true;
}

bool WriteSoundListFile(const std::string& path, const std::vector<std::string>& list) {
    return WriteWholeFile(path, FormatSoundListFile(list));
}

}  // namespace

ListRead ReadListFile(const std::string& path, HighScoreTable& table) {
    const WholeFile file = ReadListFileBytes(path);
    ListRead read = {file.read, {}};
    // Entries and best times are installed only once the whole file is in.
    if (file.read == ListFileRead::Read) {
        ListFileContent content = ParseListFile(file.bytes, table);
        read.entries = std::move(content.entries);
        table = std::move(content.table);
    }
    return read;
}

bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list, const HighScoreTable& table) {
    return WriteWholeFile(path, FormatImageListFile(list, table));
}

ListFilesLoaded LoadListFiles(ListFiles& files, HighScoreTable& table) {
    const std::string directory = GetProgramDirectory();
    files.imagePath = directory + kImageListFile;
    files.soundPath = directory + kSoundListFile;
    ListRead images = ReadListFile(files.imagePath, table);
    ListRead sounds = ReadListFile(files.soundPath, table);
    files.imageListKnown = images.read != ListFileRead::Unreadable;
    files.soundListKnown = sounds.read != ListFileRead::Unreadable;
    files.recordsPending = false;
    return {{images.read, sounds.read}, std::move(images.entries), std::move(sounds.entries)};
}

ListRead ReloadImageListFile(ListFiles& files, HighScoreTable& table) {
    // A list whose save failed goes to the file first; while it cannot, it
    // stays the list rather than the older one the file still holds.
    if (files.unsavedImageList && !SaveKanozeTxt(files, {}, SavedList::FileOwn, table)) {
        files.imageListKnown = true;
        return {ListFileRead::Read, *files.unsavedImageList};
    }
    const WholeFile file = ReadListFileBytes(files.imagePath);
    files.imageListKnown = file.read != ListFileRead::Unreadable;
    ListRead read = {file.read, {}};
    if (file.read == ListFileRead::Read) {
        ListFileContent content = ParseListFile(file.bytes, table);
        read.entries = std::move(content.entries);
        KeepBetterTimes(table, content.table);
    }
    return read;
}

bool SaveImageListFile(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table) {
    return SaveKanozeTxt(files, imageList, SavedList::Given, table);
}

bool SaveEditedImageList(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table) {
    files.imageListKnown = true;
    return SaveKanozeTxt(files, imageList, SavedList::Given, table);
}

bool SaveBestTime(ListFiles& files, const std::vector<std::string>& imageList, PictureMode mode,
                  HighScoreTable& table) {
    files.recordsPending = true;
    return SaveKanozeTxt(files, imageList, ListOfMode(mode), table);
}

bool SaveSoundListFile(ListFiles& files, const std::vector<std::string>& soundList, SoundListSave save) {
    if (save == SoundListSave::Confirmed) files.soundListKnown = true;
    if (!files.soundListKnown) return false;
    if (ReadListFileBytes(files.soundPath).read == ListFileRead::Unreadable) return false;
    return WriteSoundListFile(files.soundPath, soundList);
}

void SaveListFilesAtExit(ListFiles& files, const std::vector<std::string>& imageList, PictureMode mode,
                         const std::vector<std::string>& soundList, HighScoreTable& table) {
    // Nothing is left to try later: a file that is not written keeps what it held.
    SaveKanozeTxt(files, imageList, ListOfMode(mode), table);
    SaveSoundListFile(files, soundList, SoundListSave::Unconfirmed);
}

void TellIfAddsAreNotKept(HWND owner, ListFiles& files, ListFile which) {
    const bool pictures = which == ListFile::Pictures;
    bool& told = pictures ? files.imageAddsNotKeptTold : files.soundAddsNotKeptTold;
    if (told || !HoldsNoList(pictures ? files.imagePath : files.soundPath)) return;
    told = true;
    // The one button is OK: there is no answer to tell apart.
    MessageBoxW(owner, LoadText(pictures ? IDS_PICTURES_NOT_KEPT : IDS_SOUNDS_NOT_KEPT).c_str(), L"Kanoze",
                MB_OK | MB_ICONINFORMATION);
}
