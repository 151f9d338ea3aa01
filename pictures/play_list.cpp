// Walking the picture play-list.
#include "pictures/play_list.h"

#include "storage/play_list_walk.h"

namespace {

EntryTry TryOf(LoadOutcome outcome) {
    switch (outcome) {
    case LoadOutcome::Loaded:
        return EntryTry::Taken;
    case LoadOutcome::BadFile:
        return EntryTry::Never;
    case LoadOutcome::NotNow:
        break;
    }
    return EntryTry::NotNow;
}

}  // namespace

PlayListStep WalkPlayList(std::vector<std::string>& list, int start,
                          const std::function<LoadOutcome(const std::string&)>& tryEntry) {
    const PlayListWalk walk =
        WalkEntries(list, start, [&tryEntry](const std::string& entry) { return TryOf(tryEntry(entry)); });
    return {walk.end == WalkEnd::Taken, walk.cursor};
}
