// The music player on a DirectShow filter graph: the graph's life, rendering
// a file, taking the graph's events, and the Sound commands.
#include "music/music_win.h"

#include <string>

#include "res/resource.h"
#include "platform/file_handle_win.h"
#include "platform/paths.h"

namespace {

// One more interface of the graph: true when it is held.
template <typename T>
bool Query(const DirectShowGraph& graph, REFIID id, ComPtr<T>& out) {
    return SUCCEEDED(graph.graphBuilder->QueryInterface(id, out.ReceiveVoid())) && out;
}

// Stops the graph and releases its interfaces, last obtained first, once its
// events no longer go to the window.
void ReleaseMusicGraph(DirectShowGraph& graph) {
    // The graph goes whatever these say: one that will not stop, hide its
    // window or let go of ours is released all the same.
    if (graph.mediaControl) graph.mediaControl->Stop();
    if (graph.videoWindow) graph.videoWindow->put_Visible(OAFALSE);
    if (graph.mediaEvent) graph.mediaEvent->SetNotifyWindow(0, 0, 0);
    graph.videoWindow.Reset();
    graph.mediaEvent.Reset();
    graph.mediaControl.Reset();
    graph.graphBuilder.Reset();
}

// Done when the graph can render, run and report; Failed, holding nothing, when not.
GraphStep CreateMusicGraph(DirectShowGraph& graph) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.graphBuilder.ReceiveVoid()))) {
        return GraphStep::Failed;
    }
    // Without these the graph can neither run a file nor say that it ended.
    if (!Query(graph, IID_IMediaControl, graph.mediaControl) || !Query(graph, IID_IMediaEventEx, graph.mediaEvent)) {
        ReleaseMusicGraph(graph);
        return GraphStep::Failed;
    }
    // A graph without a video window plays all the same; at a file's end
    // there is only nothing to hide.
    Query(graph, IID_IVideoWindow, graph.videoWindow);
    return GraphStep::Done;
}

// The graph's volume onto the sound it renders now.
GraphStep ApplyGraphVolume(const DirectShowGraph& graph) {
    ComPtr<IBasicAudio> audio;
    if (!Query(graph, IID_IBasicAudio, audio)) return GraphStep::Failed;
    return SUCCEEDED(audio->put_Volume(graph.volume)) ? GraphStep::Done : GraphStep::Failed;
}

// Renders `path` (code page 932) into the graph, has its events announced to
// the window with WM_GRAPHNOTIFY, and runs it. A file another program holds
// is busy; a missing one is not rendered.
PlayResult PlaySoundFile(DirectShowGraph& graph, const char* path) {
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
    if (FAILED(graph.graphBuilder->RenderFile(wide, nullptr))) return PlayResult::NotRendered;
    // Set before it runs, so that not a moment of it plays louder. A file
    // without sound (a silent video) takes none: it plays all the same.
    ApplyGraphVolume(graph);
    // A file whose end goes unannounced would hold up the play-list for good.
    if (FAILED(graph.mediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(graph.window), WM_GRAPHNOTIFY, 0))) {
        return PlayResult::NotStarted;
    }
    return SUCCEEDED(graph.mediaControl->Run()) ? PlayResult::Started : PlayResult::NotStarted;
}

// Takes the waiting events without waiting, up to the end of the file.
GraphEvents DrainGraphEvents(DirectShowGraph& graph) {
    for (;;) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        if (FAILED(graph.mediaEvent->GetEvent(&code, &param1, &param2, 0))) return GraphEvents::NoEnd;
        // Nothing to be done when freeing or hiding fails: the event was taken.
        graph.mediaEvent->FreeEventParams(code, param1, param2);
        // Whatever follows the end of the file stays queued in the graph
        // that is about to be replaced.
        if (code == EC_COMPLETE || code == EC_USERABORT) {
            if (graph.videoWindow) graph.videoWindow->put_Visible(OAFALSE);
            return code == EC_COMPLETE ? GraphEvents::FileEnded : GraphEvents::NoEnd;
        }
    }
}

GraphStep StepOf(HRESULT result) {
    return SUCCEEDED(result) ? GraphStep::Done : GraphStep::Failed;
}

// Whether a filter graph can be had, told from its class's registration
// alone: making one to see would load DirectShow, and the sound DLLs with
// it, into every game, though most never play a note.
bool FilterGraphRegistered() {
    wchar_t clsid[40] = {};
    if (!StringFromGUID2(CLSID_FilterGraph, clsid, 40)) return false;
    const std::wstring server = std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32";
    return RegGetValueW(HKEY_CLASSES_ROOT, server.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                        nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace

PlayResult DirectShowGraph::PlayFile(const std::string& entry) {
    return PlaySoundFile(*this, ResolveListEntry(entryFolder, entry).c_str());
}

GraphStep DirectShowGraph::Run() {
    return StepOf(mediaControl->Run());
}

GraphStep DirectShowGraph::Stop() {
    return StepOf(mediaControl->Stop());
}

GraphEvents DirectShowGraph::DrainEvents() {
    return DrainGraphEvents(*this);
}

GraphStep DirectShowGraph::Rebuild() {
    ReleaseMusicGraph(*this);
    volume = 0;
    return CreateMusicGraph(*this);
}

GraphStep DirectShowGraph::SetVolume(int hundredthsOfDb) {
    volume = hundredthsOfDb;
    // An empty graph has no sound to set yet: the next file gets the volume
    // as it is rendered.
    return graphBuilder ? ApplyGraphVolume(*this) : GraphStep::Done;
}

SoundMenu OpenMusicPlayer(MusicPlayer& music, HWND window, const std::string& entryFolder) {
    music.graph.window = window;
    music.graph.entryFolder = entryFolder;
    music.player.state = FilterGraphRegistered() ? MusicState::NotMade : MusicState::NoGraph;
    return SoundMenuAtStartUp(music.player);
}

void CloseMusicPlayer(MusicPlayer& music) {
    ReleaseMusicGraph(music.graph);
    music.player.state = MusicState::NoGraph;
}

std::vector<std::string>& SoundList(MusicPlayer& music) {
    return music.player.soundList;
}

SoundMenu StartSound(MusicPlayer& music) {
    return StartSoundList(music.player, music.graph);
}

SoundMenu StopSound(MusicPlayer& music) {
    return StopSoundList(music.player, music.graph);
}

SoundMenu OnGraphNotify(MusicPlayer& music) {
    return TakeGraphEvents(music.player, music.graph);
}

SoundMenu NextTune(MusicPlayer& music) {
    return SkipToNextTune(music.player, music.graph);
}

bool MusicPlays(const MusicPlayer& music) {
    return TuneIsPlaying(music.player);
}

void SetMusicVolume(MusicPlayer& music, int step) {
    ChangeVolume(music.player, music.graph, step);
}

int MusicVolume(const MusicPlayer& music) {
    return music.player.volumeStep;
}

void HushSound(MusicPlayer& music) {
    HushSoundList(music.player, music.graph);
}

SoundMenu WakeSound(MusicPlayer& music) {
    return WakeSoundList(music.player, music.graph);
}
