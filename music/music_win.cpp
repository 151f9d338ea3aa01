// The music player on a DirectShow filter graph: the graph's life, rendering
// a file, taking the graph's events, and the Sound commands.
#include "music/music.h"

#include <string>

#include "app/app.h"
#include "app/game_state.h"
#include "res/resource.h"

namespace {

constexpr int kPathSize = 1024;

// What the rules' calls need: the graph, and the window its events go to.
struct GraphContext {
    HWND window;
    MusicGraph* graph;
};

MusicGraph& Graph(void* context) { return *static_cast<GraphContext*>(context)->graph; }

MusicGraphCalls CallsOn(GraphContext& context) {
    MusicGraphCalls calls;
    calls.graph = &context;
    calls.exists = [](void* c) { return MusicGraphExists(Graph(c)); };
    calls.playFile = [](void* c, const std::string& path) {
        const MusicGraph& graph = Graph(c);
        return PlaySoundFile(static_cast<GraphContext*>(c)->window, path.c_str(), graph.graphBuilder.get(),
                             graph.mediaControl.get(), graph.mediaEvent.get());
    };
    calls.run = [](void* c) { RunMusicGraph(Graph(c).mediaControl.get()); };
    calls.stop = [](void* c) { StopMusicGraph(Graph(c).mediaControl.get()); };
    calls.drainEvents = [](void* c) {
        return DrainGraphEvents(Graph(c).mediaEvent.get(), Graph(c).videoWindow.get());
    };
    calls.rebuild = [](void* c) {
        ReleaseMusicGraph(Graph(c));
        CreateMusicGraph(Graph(c));
    };
    return calls;
}

SoundPlayer Player() { return {g_state.soundList, g_state.soundCursor, g_state.soundLoaded}; }

}  // namespace

int CreateMusicGraph(MusicGraph& graph) {
    if (FAILED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                graph.graphBuilder.ReceiveVoid()))) {
        return 0;
    }
    graph.graphBuilder->QueryInterface(IID_IMediaControl, graph.mediaControl.ReceiveVoid());
    graph.graphBuilder->QueryInterface(IID_IMediaEventEx, graph.mediaEvent.ReceiveVoid());
    graph.graphBuilder->QueryInterface(IID_IVideoWindow, graph.videoWindow.ReceiveVoid());
    return 1;
}

int ReleaseMusicGraph(MusicGraph& graph) {
    if (graph.mediaControl) graph.mediaControl->Stop();
    if (graph.videoWindow) graph.videoWindow->put_Visible(OAFALSE);
    graph.videoWindow.Reset();
    graph.mediaEvent.Reset();
    graph.mediaControl.Reset();
    graph.graphBuilder.Reset();
    return 1;
}

bool MusicGraphExists(const MusicGraph& graph) {
    return graph.graphBuilder && graph.mediaControl && graph.mediaEvent;
}

int PlaySoundFile(HWND window, const char* path, IGraphBuilder* graphBuilder, IMediaControl* mediaControl,
                  IMediaEventEx* mediaEvent) {
    // A path too long for the buffer is not converted at all, rather than cut.
    wchar_t wide[kPathSize] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, path, -1, wide, kPathSize)) return 0;
    if (FAILED(graphBuilder->RenderFile(wide, nullptr))) return 0;
    mediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(window), WM_GRAPHNOTIFY, 0);
    mediaControl->Run();
    return 1;
}

int DrainGraphEvents(IMediaEventEx* mediaEvent, IVideoWindow* videoWindow) {
    int completed = 0;
    for (;;) {
        long code = 0;
        LONG_PTR param1 = 0, param2 = 0;
        if (FAILED(mediaEvent->GetEvent(&code, &param1, &param2, 0))) return completed;
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

int RunMusicGraph(IMediaControl* mediaControl) {
    mediaControl->Run();
    return 1;
}

int StopMusicGraph(IMediaControl* mediaControl) {
    mediaControl->Stop();
    return 1;
}

void ShowSoundMenu(HWND window, const SoundMenu& menu) {
    if (!menu.change) return;
    SetMenuCommand(window, IDM_SOUND_STOP, menu.stopEnabled);
    SetMenuCommand(window, IDM_SOUND_START, menu.startEnabled);
}

int StartSound(HWND window) {
    GraphContext context = {window, &g_state.musicGraph};
    SoundPlayer player = Player();
    ShowSoundMenu(window, StartSoundList(player, CallsOn(context)));
    return 1;
}

int StopSound(HWND window) {
    GraphContext context = {window, &g_state.musicGraph};
    ShowSoundMenu(window, StopSoundList(CallsOn(context)));
    return 1;
}

int OnGraphNotify(HWND window) {
    GraphContext context = {window, &g_state.musicGraph};
    SoundPlayer player = Player();
    ShowSoundMenu(window, TakeGraphEvents(player, CallsOn(context)));
    return 1;
}
