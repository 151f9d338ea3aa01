// The music player's rules: which entry of the sound play-list plays next,
// which entries are dropped, and what the Sound menu shows. The filter graph
// is reached through MusicGraphCalls, so the rules run without Windows.
#pragma once

#include <string>
#include <vector>

// Where the player stands with its filter graph.
enum class MusicState {
    NoGraph,  // no filter graph could be had: nothing can play
    Idle,     // an empty graph: nothing rendered into it
    Playing,  // the graph runs the file rendered into it
    Stopped,  // the graph is stopped with its file still in it, to resume
};

// What became of one entry handed to the graph.
enum class PlayResult {
    Started,      // rendered, its end will be announced, running
    NotRendered,  // missing, or the graph could not render it: it never will play
    Busy,         // held by another program: it may play at its next turn
    NotStarted,   // rendered, but its end could not be announced or the graph
                  // not run (the sound device): the graph holds it and must be
                  // replaced, and nothing else can play now
};

// The calls the rules make on the filter graph; `graph` is the one bound to
// the player, handed back to each.
struct MusicGraphCalls {
    // Renders the file into the graph, has its events announced and runs it.
    PlayResult (*playFile)(void* graph, const std::string& path);
    // Runs or stops the graph with the file it holds: false when it failed.
    bool (*run)(void* graph);
    bool (*stop)(void* graph);
    // Takes the waiting events: true when one says the file has played to its end.
    bool (*drainEvents)(void* graph);
    // Releases the graph and creates a fresh, empty one: false when none could be.
    bool (*rebuild)(void* graph);
};

// The play-list as the player walks it, and the graph it plays through.
struct SoundPlayer {
    std::vector<std::string> soundList;
    // The next entry to try; one past the entry that plays now.
    int soundCursor = 0;
    MusicState state = MusicState::NoGraph;
    // Bound once at start-up; never called while there is no graph.
    const MusicGraphCalls* calls = nullptr;
    void* graph = nullptr;
    // Playing, but stopped while the window is minimised.
    bool hushed = false;
};

// The two Sound items, or no change to them.
struct SoundMenu {
    bool change = false;
    bool startEnabled = false;
    bool stopEnabled = false;
};

// Resumes the file in the graph, or starts the entry at the cursor, dropping
// entries that can never play (all at once) and passing those that are busy,
// and moves the cursor one past it. A graph that will not resume is replaced
// and goes on with the entry at the cursor. When the sound device fails, the
// music stops with every entry kept, and the next start tries the same one.
SoundMenu StartSoundList(SoundPlayer& player);

// Stops the graph; the file stays loaded, so a start resumes it. A graph
// that will not stop is replaced, and a start then takes the next entry.
SoundMenu StopSoundList(SoundPlayer& player);

// After the graph's notification: when a file has played to its end, a fresh
// graph takes the next entry (hushed at once while the window is minimised).
// Anything else changes nothing.
SoundMenu TakeGraphEvents(SoundPlayer& player);

// The window is minimised: a file that plays stops where it is, to go on
// when the window comes back. Nothing else changes, the Sound items neither.
void HushSoundList(SoundPlayer& player);

// The window is back: hushed music goes on where it stopped.
SoundMenu WakeSoundList(SoundPlayer& player);

// The Sound items after the play-list was edited.
SoundMenu SoundMenuAfterEdit(const SoundPlayer& player);

// The Sound items at start-up: as the menu has them, or both grayed when
// there is no graph to play through.
SoundMenu SoundMenuAtStartUp(const SoundPlayer& player);
