// What the program knows of its two list files, and what each save may write:
// never a file it could not read, never a list that is not the player's.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scores/best_times.h"
#include "storage/files/file_read.h"

// What became of reading a list file; one that cannot be read is left alone.
using ListFileRead = FileRead;

// What start-up found of kanoze.txt and sound.txt.
struct ListFilesFound {
    ListFileRead images;
    ListFileRead sounds;
};

struct ListFiles {
    std::string imagePath;  // kanoze.txt beside the program
    std::string soundPath;  // sound.txt beside the program
    // The list in memory is the player's: its file was read or did not exist,
    // or the player confirmed the list in its editor. Until then the list the
    // file holds is the one to keep.
    bool imageListKnown = false;
    bool soundListKnown = false;
    // A best time of this run has not reached kanoze.txt yet.
    bool recordsPending = false;
    // The player's picture list as a save that failed was to write it: the
    // next save of kanoze.txt writes it, even once a single picture is shown.
    std::optional<std::vector<std::string>> unsavedImageList;
    // The player was told that a list file holds no list this program reads,
    // so that what is added to it is not kept: once a run for each file.
    bool imageAddsNotKeptTold = false;
    bool soundAddsNotKeptTold = false;
};

// Which picture list a save of kanoze.txt writes.
enum class SavedList {
    Given,    // the list the save is given: the player's action was about it
    FileOwn,  // the list the file holds now (a best time while a single picture is shown)
};

// Whether a save of kanoze.txt has anything of the player's to write: the
// list in memory (asked for as `Given`, when it is the player's), a list
// whose save failed, or a best time.
bool ImageListSaveWanted(const ListFiles& files, SavedList list);

struct ImageListSave {
    std::string bytes;         // kanoze.txt as the save writes it
    HighScoreTable bestTimes;  // the table held, with the file's better entries in it
};

// kanoze.txt as a save writes it, given the bytes the file holds now (empty
// when it is missing): the best times are the better entry of each, the
// held one or the file's; the list is `givenList` or the file's own. When
// the file holds what `table` and `givenList` came from, the bytes are
// exactly what the writer makes of them.
ImageListSave ComposeImageListSave(std::string_view currentBytes, const std::vector<std::string>& givenList,
                                   SavedList list, const HighScoreTable& table);
