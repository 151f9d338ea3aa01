// Background music: the sound play-list played through a DirectShow filter
// graph, and the play-list's editor.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

#include "display/com_ptr.h"
#include "music/music_core.h"
#include "storage/list_file_win.h"

// The four interfaces of one filter graph, each empty when not held.
struct MusicGraph {
    ComPtr<IGraphBuilder> graphBuilder;
    ComPtr<IMediaControl> mediaControl;
    ComPtr<IMediaEventEx> mediaEvent;
    ComPtr<IVideoWindow> videoWindow;
};

// The music player: the play-list with its state, the filter graph it plays
// through, and the window the graph's events go to. The play-list's rules
// hold a pointer to it, so it stays where it was made.
struct MusicPlayer {
    SoundPlayer player;
    MusicGraph graph;
    HWND window = nullptr;
    // The folder relative entries are found in: the program's, ending in a backslash.
    std::string entryFolder;
};

// Creates the graph, its events to go to `window`, and says how the Sound
// items start: without a graph the game goes on in silence. Relative entries
// of the play-list are found in `entryFolder`.
SoundMenu OpenMusicPlayer(MusicPlayer& music, HWND window, const std::string& entryFolder);
// Releases the graph: nothing plays from here on.
void CloseMusicPlayer(MusicPlayer& music);

// 1 when the graph can render, run and report; 0, holding nothing, when not.
int CreateMusicGraph(MusicGraph& graph);
// Stops the graph and releases its interfaces, last obtained first.
int ReleaseMusicGraph(MusicGraph& graph);

// Renders `path` (code page 932) into the graph, has its events announced to
// `window` with WM_GRAPHNOTIFY, and runs it. A file another program holds is
// busy; a missing one is not rendered.
PlayResult PlaySoundFile(HWND window, const char* path, IGraphBuilder* graphBuilder, IMediaControl* mediaControl,
                         IMediaEventEx* mediaEvent);
// Takes the waiting events without waiting: 1 when a file has played to its end.
int DrainGraphEvents(IMediaEventEx* mediaEvent, IVideoWindow* videoWindow);
// 1, or 0 when the graph refused.
int RunMusicGraph(IMediaControl* mediaControl);
int StopMusicGraph(IMediaControl* mediaControl);

// The Sound menu's commands and the graph's notification, each with the
// Sound items it leaves.
SoundMenu StartSound(MusicPlayer& music);
SoundMenu StopSound(MusicPlayer& music);
SoundMenu OnGraphNotify(MusicPlayer& music);
// The window minimised and back again: music that plays is quiet meanwhile.
void HushSound(MusicPlayer& music);
SoundMenu WakeSound(MusicPlayer& music);

// The sound play-list editor, then the save and the Sound items after it.
// WM_INITDIALOG's lParam points to the list.
INT_PTR CALLBACK SoundListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
SoundMenu EditSoundList(HWND window, MusicPlayer& music, ListFiles& listFiles);

// The files the sound play-list takes ("*.mp3;*.mid;*.wav").
extern const char kSoundPatterns[];
// Sound files dropped on the window join the end of the play-list, which is
// saved; the Sound items follow as after the editor. What plays goes on.
SoundMenu AddDroppedSounds(MusicPlayer& music, ListFiles& listFiles, const std::vector<std::string>& paths);
