// The music player on a DirectShow filter graph: the graph's life, rendering
// a file, taking the graph's events, and the Sound commands.
#include "music/music.h"

#include <string>

#include "res/resource.h"
#include "storage/file_handle.h"
#include "storage/paths.h"

namespace {

MusicPlayer& Music(void* music) { return *static_cast<MusicPlayer*>(music); }

// The play-list's rules reach the graph through these, bound to the player
// once, when it is opened.
const MusicGraphCalls kDirectShowCalls = {
    [](void* m, const std::string& path) {
        const MusicPlayer& music = Music(m);
        return PlaySoundFile(music.window, ResolveListEntry(music.entryFolder, path).c_str(),
                             music.graph.graphBuilder.get(),
                             music.graph.mediaControl.get(), music.graph.mediaEvent.get());
    },
    [](void* m) { return RunMusicGraph(Music(m).graph.mediaControl.get()) == 1; },
    [](void* m) { return StopMusicGraph(Music(m).graph.mediaControl.get()) == 1; },
    [](void* m) { return DrainGraphEvents(Music(m).graph.mediaEvent.get(), Music(m).graph.videoWindow.get()) == 1; },
    [](void* m) {
        ReleaseMusicGraph(Music(m).graph);
        return CreateMusicGraph(Music(m).graph) == 1;
    },
};

// One more interface of the graph: true when it is held.
template <typename T>
bool Query(const MusicGraph& graph, REFIID id, ComPtr<T>& out) {
    return SUCCEEDED(graph.graphBuilder->QueryInterface(id, out.ReceiveVoid())) && out;
}

}  // namespace

SoundMenu OpenMusicPlayer(MusicPlayer& music, HWND window, const std::string& entryFolder) {
    music.window = window;
    music.entryFolder = entryFolder;
    music.player.calls = &kDirectShowCalls;
    music.player.graph = &music;
    music.player.state = CreateMusicGraph(music.graph) ? MusicState::Idle : MusicState::NoGraph;
    return SoundMenuAtStartUp(music.player);
}

void CloseMusicPlayer(MusicPlayer& music) {
    ReleaseMusicGraph(music.graph);
    music.player.state = MusicState::NoGraph;
}

int CreateMusicGraph(MusicGraph& graph) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.graphBuilder.ReceiveVoid()))) {
        return 0;
    }
    // Without these the graph can neither run a file nor say that it ended.
    if (!Query(graph, IID_IMediaControl, graph.mediaControl) || !Query(graph, IID_IMediaEventEx, graph.mediaEvent)) {
        ReleaseMusicGraph(graph);
        return 0;
    }
    // A graph without a video window plays all the same; at a file's end
    // there is only nothing to hide.
    Query(graph, IID_IVideoWindow, graph.videoWindow);
    return 1;
}

int ReleaseMusicGraph(MusicGraph& graph) {
    // The graph goes whether or not it stops here.
    if (graph.mediaControl) graph.mediaControl->Stop();
    if (graph.videoWindow) graph.videoWindow->put_Visible(OAFALSE);
    graph.videoWindow.Reset();
    graph.mediaEvent.Reset();
    graph.mediaControl.Reset();
    graph.graphBuilder.Reset();
    return 1;
}

PlayResult PlaySoundFile(HWND window, const char* path, IGraphBuilder* graphBuilder, IMediaControl* mediaControl,
                         IMediaEventEx* mediaEvent) {
    // A path too long for the buffer is not converted at all, rather than cut.
    wchar_t wide[kPathSize] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kPathSize)) return PlayResult::NotRendered;
    // Another program holding the file is no fault of the file: it stays
    // listed. A pipe or a device is no sound: the graph would wait on it.
    if (!OpenDiskFile(path, FILE_SHARE_READ | FILE_SHARE_WRITE).Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? PlayResult::Busy
                                                                                  : PlayResult::NotRendered;
    }
    if (FAILED(graphBuilder->RenderFile(wide, nullptr))) return PlayResult::NotRendered;
    // A file whose end goes unannounced would hold up the play-list for good.
    if (FAILED(mediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(window), WM_GRAPHNOTIFY, 0))) {
        return PlayResult::NotStarted;
    }
    return SUCCEEDED(mediaControl->Run()) ? PlayResult::Started : PlayResult::NotStarted;
}

int DrainGraphEvents(IMediaEventEx* mediaEvent, IVideoWindow* videoWindow) {
    int completed = 0;
    for (;;) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        if (FAILED(mediaEvent->GetEvent(&code, &param1, &param2, 0))) return completed;
        // Nothing to be done when freeing or hiding fails: the event was taken.
        mediaEvent->FreeEventParams(code, param1, param2);
        if (code == EC_COMPLETE) completed = 1;
        // Whatever follows the end of the file stays queued in the graph
        // that is about to be replaced.
        if (code == EC_COMPLETE || code == EC_USERABORT) {
            if (videoWindow) videoWindow->put_Visible(OAFALSE);
            return completed;
        }
    }
}

int RunMusicGraph(IMediaControl* mediaControl) { return SUCCEEDED(mediaControl->Run()) ? 1 : 0; }

int StopMusicGraph(IMediaControl* mediaControl) { return SUCCEEDED(mediaControl->Stop()) ? 1 : 0; }

SoundMenu StartSound(MusicPlayer& music) { return StartSoundList(music.player); }

SoundMenu StopSound(MusicPlayer& music) { return StopSoundList(music.player); }

SoundMenu OnGraphNotify(MusicPlayer& music) { return TakeGraphEvents(music.player); }

void HushSound(MusicPlayer& music) { HushSoundList(music.player); }

SoundMenu WakeSound(MusicPlayer& music) { return WakeSoundList(music.player); }
