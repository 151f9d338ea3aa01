// Walking a play-list.
#include "storage/play_list_walk.h"

#include <utility>

namespace {

// Removes the entries marked in `dropped` in one pass, the rest keeping their
// order, and tells where entry `anchor` now stands (when it went, the entry
// that followed it; 0 past the end).
int DropMarkedEntries(std::vector<std::string>& list, const std::vector<bool>& dropped, int anchor) {
    int anchorAt = 0;
    size_t kept = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        if (static_cast<int>(i) == anchor) anchorAt = static_cast<int>(kept);
        if (dropped[i]) continue;
        if (kept != i) list[kept] = std::move(list[i]);
        ++kept;
    }
    list.resize(kept);
    return anchorAt < static_cast<int>(kept) ? anchorAt : 0;
}

}  // namespace

PlayListWalk WalkEntries(std::vector<std::string>& list, int start,
                         const std::function<EntryTry(const std::string&)>& tryEntry) {
    const int count = static_cast<int>(list.size());
    if (start < 0 || start >= count) start = 0;
    std::vector<bool> dropped(list.size(), false);
    PlayListWalk walk;
    int endedAt = start;
    for (int tried = 0; tried < count && walk.end == WalkEnd::AllTried; ++tried) {
        const int index = (start + tried) % count;
        switch (tryEntry(list[static_cast<size_t>(index)])) {
        case EntryTry::Taken:
            walk.end = WalkEnd::Taken;
            endedAt = index;
            break;
        case EntryTry::StopHere:
            walk.end = WalkEnd::Stopped;
            endedAt = index;
            break;
        case EntryTry::Never:
            dropped[static_cast<size_t>(index)] = true;
            break;
        case EntryTry::NotNow:
            break;
        }
    }
    walk.cursor = DropMarkedEntries(list, dropped, endedAt);
    return walk;
}
