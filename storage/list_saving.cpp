// What a save of the list files writes.
#include "storage/list_saving.h"

#include "storage/list_file.h"

bool ImageListSaveWanted(const ListFiles& files, bool forTheList) {
    return (forTheList && files.imageListKnown) || files.unsavedImageList || files.recordsPending;
}

std::string ComposeImageListSave(std::string_view currentBytes, const std::vector<std::string>& memoryList,
                                 bool useMemoryList, HighScoreTable& table) {
    std::vector<std::string> fileList;
    // Entries the file does not reach keep the values held in memory.
    HighScoreTable stored = table;
    ParseListFile(currentBytes, fileList, stored);
    KeepBetterTimes(table, stored);
    return FormatImageListFile(useMemoryList ? memoryList : fileList, table);
}
