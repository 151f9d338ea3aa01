// The two list files on disk, kanoze.txt and sound.txt: every read and every
// save of them goes through here.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "scores/best_times.h"
#include "storage/list_saving.h"

// What the start-up read found of each file.
// Start-up: both files beside the program are read, the picture list and the
// best times from kanoze.txt, the sound list from sound.txt.
ListFilesFound LoadListFiles(ListFiles& files, std::vector<std::string>& imageList,
                             std::vector<std::string>& soundList, HighScoreTable& table);

// The picture list read again from kanoze.txt in place of `imageList`; the
// file's best times come in where they are better than those held.
ListFileRead ReloadImageListFile(ListFiles& files, std::vector<std::string>& imageList, HighScoreTable& table);

// Saves kanoze.txt after the player's action on the list: the best times
// merged with those the file holds now, and `imageList` when it is the
// player's, else the file's own list. A file that cannot be read is not
// written; a best time then waits for the next save. True when the file was
// written.
bool SaveImageListFile(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table);

// The picture list the player confirmed in its editor: it is saved even
// where the file could not be read before.
bool SaveEditedImageList(ListFiles& files, const std::vector<std::string>& imageList, HighScoreTable& table);

// A best time just named: saved at once, with the play-list in memory, or
// with the one the file holds while a single picture is shown.
bool SaveBestTime(ListFiles& files, const std::vector<std::string>& imageList, bool singleFileMode,
                  HighScoreTable& table);

// Saves sound.txt with `soundList`, once that list is the player's (the file
// was read or missing at start-up, or `confirmed` in the editor) and the
// file, where it exists, can be read.
bool SaveSoundListFile(ListFiles& files, const std::vector<std::string>& soundList, bool confirmed);

// Exit: kanoze.txt while the play-list is shown, or when a best time still
// waits; sound.txt.
void SaveListFilesAtExit(ListFiles& files, const std::vector<std::string>& imageList, bool singleFileMode,
                         const std::vector<std::string>& soundList, HighScoreTable& table);

// Reading and writing one list file as it is; the saves above are built on them.
ListFileRead ReadListFile(const std::string& path, std::vector<std::string>& list, HighScoreTable& table);
bool WriteImageListFile(const std::string& path, const std::vector<std::string>& list,
                        const HighScoreTable& table);

// The directory of the running program, with its final backslash; empty when
// it cannot be told (the bare file names then name files in the current
// directory).
std::string GetProgramDirectory();

// Whether the folder `path` lies in exists, asked once per folder of a walk
// of a play-list: a folder that is gone takes all its entries with it at the
// cost of one question, not one for each.
class FolderCheck {
  public:
    bool FolderExists(const std::string& path);

  private:
    std::map<std::string, bool> known_;
};
// Any other file of the program written the way the lists are: whole, through
// a temporary file that replaces the old one only when complete.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// And read the way they are: the whole file, shared with readers only.
ListFileRead ReadWholeFile(const std::string& path, std::string& bytes);
