// The two list files on disk, kanoze.txt and sound.txt: every read and every
// save of them goes through here.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "scores/best_times.h"
#include "storage/list_saving.h"

// A list file's entries as read, and what became of the read.
struct ListRead {
    ListFileRead read = ListFileRead::Unreadable;
    std::vector<std::string> entries;  // empty unless the file was read
};

// What start-up found of both list files, and the lists they hold.
struct ListFilesLoaded {
    ListFilesFound found;
    std::vector<std::string> imageList;
    std::vector<std::string> soundList;
};

// Start-up: both files beside the program are read, the picture list from
// kanoze.txt, the sound list from sound.txt; the best times they hold come
// into `table`.
ListFilesLoaded LoadListFiles(ListFiles& files, HighScoreTable& table);

// The picture list read again from kanoze.txt; the file's best times come in
// where they are better than those held.
ListRead ReloadImageListFile(ListFiles& files, HighScoreTable& table);

// Saves kanoze.txt after the player's action on the list: the best times
// merged with those the file holds now, and `imageList` when it is the
// player's, else the file's own list. A file that cannot be read is not
// written; a best time then waits for the next save. True when the file was
// written.
bool SaveImageListFile(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table);

// The picture list the player confirmed in its editor: it is saved even
// where the file could not be read before.
bool SaveEditedImageList(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table);

// Where the pictures shown come from: the play-list, or a single file opened
// in its place while kanoze.txt keeps the list.
enum class PictureMode { PlayList, SingleFile };

// A best time just named: saved at once, with the play-list in memory, or
// with the one the file holds while a single picture is shown.
bool SaveBestTime(ListFiles& files, const std::vector<std::string>& imageList, PictureMode mode, HighScoreTable& table);

// Whether the player confirmed the sound list in its editor.
enum class SoundListSave { Unconfirmed, Confirmed };

// Saves sound.txt with `soundList`, once that list is the player's (the file
// was read or missing at start-up, or it was confirmed in the editor) and
// the file, where it exists, can be read. True when the file was written.
bool SaveSoundListFile(ListFiles& files, const std::vector<std::string>& soundList, SoundListSave save);

// Exit: kanoze.txt while the play-list is shown, or when a best time still
// waits; sound.txt.
void SaveListFilesAtExit(ListFiles& files, const std::vector<std::string>& imageList, PictureMode mode,
                         const std::vector<std::string>& soundList, HighScoreTable& table);

// The list file a play-list is kept in.
enum class ListFile { Pictures, Sounds };

// Before files are added to a play-list: when its list file holds no list
// this program reads, the player is told, once a run, that the file stays as
// it is and that what is added now is not kept.
void TellIfAddsAreNotKept(HWND owner, ListFiles& files, ListFile which);
