// The music player's rules over the sound play-list.
#include "music/music_core.h"

namespace {

SoundMenu Playing() { return {true, false, true}; }
SoundMenu Stopped() { return {true, true, false}; }
SoundMenu BothGrayed() { return {true, false, false}; }

}  // namespace

SoundMenu StartSoundList(SoundPlayer& player, const MusicGraphCalls& graph) {
    // Without a graph nothing can be rendered: trying would drop every entry.
    if (!graph.exists(graph.graph)) return BothGrayed();
    if (player.soundLoaded) {
        graph.run(graph.graph);
        return Playing();
    }
    std::vector<std::string>& list = player.soundList;
    while (!list.empty()) {
        if (player.soundCursor < 0 || player.soundCursor >= static_cast<int>(list.size())) {
            player.soundCursor = 0;
        }
        if (graph.playFile(graph.graph, list[static_cast<size_t>(player.soundCursor)])) {
            player.soundLoaded = true;
            break;
        }
        list.erase(list.begin() + player.soundCursor);
    }
    player.soundCursor += 1;
    return Playing();
}

SoundMenu StopSoundList(const MusicGraphCalls& graph) {
    if (!graph.exists(graph.graph)) return BothGrayed();
    graph.stop(graph.graph);
    return Stopped();
}

SoundMenu TakeGraphEvents(SoundPlayer& player, const MusicGraphCalls& graph) {
    if (!graph.exists(graph.graph)) return {};
    if (!graph.drainEvents(graph.graph)) return {};
    player.soundLoaded = false;
    graph.rebuild(graph.graph);
    return StartSoundList(player, graph);
}

SoundMenu SoundMenuAfterEdit(const SoundPlayer& player, bool graphExists) {
    if (!graphExists || player.soundList.empty()) return BothGrayed();
    if (!player.soundLoaded) return Stopped();
    return {};
}

SoundMenu SoundMenuAtStartUp(bool graphExists) { return graphExists ? SoundMenu{} : BothGrayed(); }
