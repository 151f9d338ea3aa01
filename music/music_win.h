// Background music: the sound play-list played through a DirectShow filter
// graph, and the play-list's editor.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

#include "platform/com_ptr_win.h"
#include "music/music_core.h"
#include "storage/settings.h"
#include "storage/list_file_win.h"

// The filter graph the music plays through: its four interfaces, each empty
// when not held, and where its events go and relative entries are found.
struct DirectShowGraph final : MusicGraph {
    ComPtr<IGraphBuilder> graphBuilder;
    ComPtr<IMediaControl> mediaControl;
    ComPtr<IMediaEventEx> mediaEvent;
    ComPtr<IVideoWindow> videoWindow;
    // The window the graph's events go to, as WM_GRAPHNOTIFY.
    HWND window = nullptr;
    // The folder relative entries are found in: the program's, ending in a backslash.
    std::string entryFolder;

    PlayResult PlayFile(const std::string& entry) override;
    GraphStep Run() override;
    GraphStep Stop() override;
    GraphEvents DrainEvents() override;
    GraphStep Rebuild() override;
    GraphStep SetVolume(int hundredthsOfDb) override;

    // The volume every file rendered into this graph gets before it runs.
    long volume = 0;
};

// The music player: the play-list with its state, and the filter graph it plays through.
struct MusicPlayer {
    SoundPlayer player;
    DirectShowGraph graph;
};

// Readies the player, the graph's events to go to `window`, and says how the
// Sound items start: both grayed when no filter graph is registered, and the
// game goes on in silence. The graph itself is made at the first Start.
// Relative entries of the play-list are found in `entryFolder`.
SoundMenu OpenMusicPlayer(MusicPlayer& music, HWND window, const std::string& entryFolder);
// Releases the graph: nothing plays from here on.
void CloseMusicPlayer(MusicPlayer& music);

// The sound play-list, as sound.txt keeps it.
std::vector<std::string>& SoundList(MusicPlayer& music);

// The Sound menu's commands and the graph's notification, each with the
// Sound items it leaves.
SoundMenu StartSound(MusicPlayer& music);
SoundMenu StopSound(MusicPlayer& music);
SoundMenu OnGraphNotify(MusicPlayer& music);
// Next Tune, and whether it can be chosen (music plays).
SoundMenu NextTune(MusicPlayer& music);
bool MusicPlays(const MusicPlayer& music);
// The volume step (0 mute to kVolumeSteps - 1 full), at once and for every tune after.
void SetMusicVolume(MusicPlayer& music, int step);
int MusicVolume(const MusicPlayer& music);

// The window minimised and back again: music that plays is quiet meanwhile.
void HushSound(MusicPlayer& music);
SoundMenu WakeSound(MusicPlayer& music);

// The sound play-list editor, then the save and the Sound items after it.
SoundMenu EditSoundList(HWND window, MusicPlayer& music, ListFiles& listFiles);

// The files the sound play-list takes ("*.mp3;*.mid;*.wav").
extern const char kSoundPatterns[];
// Sound files dropped on the window join the end of the play-list, which is
// saved; the Sound items follow as after the editor. What plays goes on.
SoundMenu AddDroppedSounds(HWND window, MusicPlayer& music, ListFiles& listFiles,
                           const std::vector<std::string>& paths);
