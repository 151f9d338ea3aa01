// What a save of the list files writes.
#include "storage/list_saving.h"

#include "storage/list_file.h"

bool ImageListSaveWanted(const ListFiles& files, SavedList list) {
    return (list == SavedList::Given && files.imageListKnown) || files.unsavedImageList || files.recordsPending;
}

ImageListSave ComposeImageListSave(std::string_view currentBytes, const std::vector<std::string>& givenList,
                                   SavedList list, const HighScoreTable& table) {
    // Entries the file does not reach keep the values held in memory.
    const ListFileContent file = ParseListFile(currentBytes, table);
    ImageListSave save;
    save.bestTimes = table;
    KeepBetterTimes(save.bestTimes, file.table);
    save.bytes = FormatImageListFile(list == SavedList::Given ? givenList : file.entries, save.bestTimes);
    return save;
}
