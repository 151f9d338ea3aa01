// The music player's rules: which entry of the sound play-list plays next,
// which entries are dropped, and what the Sound menu shows. The filter graph
// is reached through MusicGraph, so the rules run without Windows.
#pragma once

#include <string>
#include <vector>

#include "storage/settings.h"  // kVolumeSteps, as kanoze.ini keeps the step

// The volume of a step (kept to 0 to kVolumeSteps - 1) in hundredths of a
// decibel: mute, soft, medium, full.
int VolumeOfStep(int step);

// Where the player stands with its filter graph.
enum class MusicState {
    NoGraph,  // no filter graph could be had: nothing can play
    NotMade,  // none made yet: DirectShow is loaded when something is to play
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

// Whether the graph did what it was asked.
enum class GraphStep {
    Done,
    Failed,
};

// What the graph's waiting events said.
enum class GraphEvents {
    NoEnd,      // nothing, or nothing the player acts on
    FileEnded,  // the file in the graph has played to its end
};

// The filter graph the rules play through: the DirectShow graph in the
// program, a fake that records each call in the tests.
struct MusicGraph {
    // Renders the entry into the graph, has its events announced and runs it.
    virtual PlayResult PlayFile(const std::string& entry) = 0;
    // Runs or stops the graph with the file it holds.
    virtual GraphStep Run() = 0;
    virtual GraphStep Stop() = 0;
    // Takes the waiting events without waiting.
    virtual GraphEvents DrainEvents() = 0;
    // Releases the graph, where one is held, and creates a fresh, empty one
    // at full volume: Failed when none could be.
    virtual GraphStep Rebuild() = 0;
    // The volume, in hundredths of a decibel from 0 (full) down, of the file
    // in the graph and of every file rendered into it after.
    virtual GraphStep SetVolume(int hundredthsOfDb) = 0;

  protected:
    ~MusicGraph() = default;
};

// The play-list as the player walks it, and where it stands with its graph.
struct SoundPlayer {
    std::vector<std::string> soundList;
    // The next entry to try; one past the entry that plays now.
    int soundCursor = 0;
    // No graph is ever called while there is none, or none made yet, but to make one.
    MusicState state = MusicState::NoGraph;
    // Playing, but stopped while the window is minimised.
    bool hushed = false;
    // 0 mute to kVolumeSteps - 1 full, as the player chose.
    int volumeStep = kVolumeSteps - 1;
};

// What the two Sound items show after a command.
enum class SoundMenu {
    Unchanged,    // as they were
    StartGrayed,  // Stop enabled: something plays, or the list was tried
    StopGrayed,   // Start enabled: nothing plays, and Start can try
    BothGrayed,   // nothing to play, or nothing to play through
};

// Resumes the file in the graph, or starts the entry at the cursor, dropping
// entries that can never play (all at once) and passing those that are busy,
// and moves the cursor one past it. The first start makes the graph; when it
// cannot be made, both items gray. A graph that will not resume is replaced
// and goes on with the entry at the cursor. When the sound device fails, the
// music stops with every entry kept, and the next start tries the same one.
SoundMenu StartSoundList(SoundPlayer& player, MusicGraph& graph);

// Stops the graph; the file stays loaded, so a start resumes it. A graph
// that will not stop is replaced, and a start then takes the next entry.
// Before the first start there is nothing to stop, and no graph is made.
SoundMenu StopSoundList(SoundPlayer& player, MusicGraph& graph);

// After the graph's notification: when a file has played to its end, a fresh
// graph takes the next entry (hushed at once while the window is minimised).
// Anything else changes nothing.
SoundMenu TakeGraphEvents(SoundPlayer& player, MusicGraph& graph);

// The window is minimised: a file that plays stops where it is, to go on
// when the window comes back. Nothing else changes, the Sound items neither.
void HushSoundList(SoundPlayer& player, MusicGraph& graph);

// The window is back: hushed music goes on where it stopped.
SoundMenu WakeSoundList(SoundPlayer& player, MusicGraph& graph);

// Next Tune: the file that plays gives way at once to the next entry, as if
// it had played to its end. Nothing while no music plays.
SoundMenu SkipToNextTune(SoundPlayer& player, MusicGraph& graph);

// Whether Next Tune can be chosen: music plays.
bool TuneIsPlaying(const SoundPlayer& player);

// The player's volume step, for what plays now and every tune after it.
void ChangeVolume(SoundPlayer& player, MusicGraph& graph, int step);

// The Sound items after the play-list was edited.
SoundMenu SoundMenuAfterEdit(const SoundPlayer& player);

// The Sound items at start-up: as the menu has them, or both grayed when
// no graph can be had.
SoundMenu SoundMenuAtStartUp(const SoundPlayer& player);
