// Walking the picture play-list.
#include "pictures/play_list.h"

#include "storage/list_file.h"

PlayListStep WalkPlayList(std::vector<std::string>& list, int start,
                          const std::function<LoadOutcome(const std::string&)>& tryEntry) {
    const int count = static_cast<int>(list.size());
    if (start < 0 || start >= count) start = 0;
    std::vector<bool> dropped(list.size(), false);
    int shown = -1;
    for (int tried = 0; tried < count && shown < 0; ++tried) {
        const int index = (start + tried) % count;
        const LoadOutcome outcome = tryEntry(list[static_cast<size_t>(index)]);
        if (outcome == LoadOutcome::Loaded) shown = index;
        if (outcome == LoadOutcome::BadFile) dropped[static_cast<size_t>(index)] = true;
    }
    PlayListStep step;
    step.loaded = shown >= 0;
    step.cursor = DropMarkedEntries(list, dropped, step.loaded ? shown : start);
    return step;
}
