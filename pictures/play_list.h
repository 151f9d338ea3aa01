// Walking the picture play-list: which entry is shown next, and which
// entries are dropped on the way.
#pragma once

#include <functional>
#include <string>
#include <vector>

// What became of one try to show a picture.
enum class LoadOutcome {
    Loaded,
    BadFile,  // missing, not a picture, damaged, too small or too large: it never will load
    NotNow,   // held by another program, or no memory or screen for it now: it may load later
};

struct PlayListStep {
    bool loaded = false;
    int cursor = 0;  // the entry shown, or where the walk began when none loaded
};

// Tries the entries from `start` on (0 past the end), wrapping round, each at
// most once, until one loads. Entries that are bad files are dropped, all in
// one pass when the walk ends; entries that could not load now stay listed.
PlayListStep WalkPlayList(std::vector<std::string>& list, int start,
                          const std::function<LoadOutcome(const std::string&)>& tryEntry);
