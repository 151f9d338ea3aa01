// Background music: the sound play-list played through a DirectShow filter
// graph, and the play-list's editor.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "app/com_ptr.h"
#include "music/music_core.h"

// The four interfaces of one filter graph, each empty when not held.
struct MusicGraph {
    ComPtr<IGraphBuilder> graphBuilder;
    ComPtr<IMediaControl> mediaControl;
    ComPtr<IMediaEventEx> mediaEvent;
    ComPtr<IVideoWindow> videoWindow;
};

// 1 when the graph was created, 0 when there is no filter graph to be had.
int CreateMusicGraph(MusicGraph& graph);
// Stops the graph and releases its interfaces, last obtained first.
int ReleaseMusicGraph(MusicGraph& graph);
// True when the graph can render, run and report: the music can play.
bool MusicGraphExists(const MusicGraph& graph);

// Renders `path` (code page 932) into the graph, has its events announced to
// `window` with WM_GRAPHNOTIFY, and runs it. 1, or 0 when it cannot be rendered.
int PlaySoundFile(HWND window, const char* path, IGraphBuilder* graphBuilder, IMediaControl* mediaControl,
                  IMediaEventEx* mediaEvent);
// Takes the waiting events without waiting: 1 when a file has played to its end.
int DrainGraphEvents(IMediaEventEx* mediaEvent, IVideoWindow* videoWindow);
int RunMusicGraph(IMediaControl* mediaControl);
int StopMusicGraph(IMediaControl* mediaControl);

// The Sound menu's commands and the graph's notification.
int StartSound(HWND window);
int StopSound(HWND window);
int OnGraphNotify(HWND window);

// Sets the Sound start and stop items as `menu` says.
void ShowSoundMenu(HWND window, const SoundMenu& menu);

// The sound play-list editor, then the save and the Sound items after it.
INT_PTR CALLBACK SoundListDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
int EditSoundList(HWND window);
