// The music player's rules: which entry of the sound play-list plays next,
// which entries are dropped, and what the Sound menu shows. The filter graph
// is reached through MusicGraphCalls, so the rules run without Windows.
#pragma once

#include <string>
#include <vector>

// The play-list as the player walks it.
struct SoundPlayer {
    std::vector<std::string>& soundList;
    // The next entry to try; one past the entry that plays now.
    int& soundCursor;
    // A file sits in the graph, started or stopped; cleared when it ends.
    bool& soundLoaded;
};

// The calls the rules make on the filter graph; `graph` is handed back to each.
struct MusicGraphCalls {
    void* graph = nullptr;
    // True while the graph and its interfaces exist.
    bool (*exists)(void* graph) = nullptr;
    // Renders the file into the graph and runs it: 1, or 0 when it cannot be rendered.
    int (*playFile)(void* graph, const std::string& path) = nullptr;
    // Runs or stops the graph with the file it holds.
    void (*run)(void* graph) = nullptr;
    void (*stop)(void* graph) = nullptr;
    // Takes the waiting events: 1 when one says the file has played to its end.
    int (*drainEvents)(void* graph) = nullptr;
    // Releases the graph and creates a fresh, empty one.
    void (*rebuild)(void* graph) = nullptr;
};

// The two Sound items, or no change to them.
struct SoundMenu {
    bool change = false;
    bool startEnabled = false;
    bool stopEnabled = false;
};

// Resumes the file in the graph, or starts the entry at the cursor, dropping
// entries that cannot be rendered, and moves the cursor one past it.
SoundMenu StartSoundList(SoundPlayer& player, const MusicGraphCalls& graph);

// Stops the graph; the file stays loaded, so a start resumes it.
SoundMenu StopSoundList(const MusicGraphCalls& graph);

// After the graph's notification: when a file has played to its end, a fresh
// graph takes the next entry. Anything else changes nothing.
SoundMenu TakeGraphEvents(SoundPlayer& player, const MusicGraphCalls& graph);

// The Sound items after the play-list was edited.
SoundMenu SoundMenuAfterEdit(const SoundPlayer& player, bool graphExists);

// The Sound items at start-up: as the menu has them, or both grayed when
// there is no graph to play through.
SoundMenu SoundMenuAtStartUp(bool graphExists);
