// Walking a play-list, the pictures' or the sounds': which entry is taken
// next, which entries are dropped on the way, and where the cursor stands.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What became of one try of an entry.
enum class EntryTry {
    Taken,     // it loaded or plays: the walk ends here
    Never,     // it never will: dropped when the walk ends
    NotNow,    // it may at its next turn: passed over and kept
    StopHere,  // it failed for a reason no other entry escapes: the walk ends here, the entry kept
};

// How a walk ended.
enum class WalkEnd {
    Taken,     // at an entry that was taken
    Stopped,   // at an entry that said StopHere
    AllTried,  // every entry was tried, none taken
};

struct PlayListWalk {
    WalkEnd end = WalkEnd::AllTried;
    // The entry the walk ended at, or the one it began at when it ended at
    // none; counted after the drops (when that entry went, the one that
    // followed it; 0 past the end).
    int cursor = 0;
};

// Tries the entries from `start` on (0 when it lies outside the list),
// wrapping round, each at most once, until one is taken or stops the walk.
// The entries that never will are dropped all at once when the walk ends: a
// run of thousands of missing files costs one pass, not one move of the rest
// for each.
PlayListWalk WalkEntries(std::vector<std::string>& list, int start,
                         const std::function<EntryTry(const std::string&)>& tryEntry);
