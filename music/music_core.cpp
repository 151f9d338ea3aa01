// The music player's rules over the sound play-list.
#include "music/music_core.h"

namespace {

SoundMenu Playing() { return {true, false, true}; }
SoundMenu Stopped() { return {true, true, false}; }
SoundMenu BothGrayed() { return {true, false, false}; }

// Replaces the graph with a fresh, empty one; without one nothing can play
// any more.
bool Rebuild(SoundPlayer& player) {
    player.state = player.calls->rebuild(player.graph) ? MusicState::Idle : MusicState::NoGraph;
    return player.state == MusicState::Idle;
}

}  // namespace

SoundMenu StartSoundList(SoundPlayer& player) {
    // Without a graph nothing can be rendered: trying would drop every entry.
    if (player.state == MusicState::NoGraph) return BothGrayed();
    if (player.state != MusicState::Idle) {
        if (player.calls->run(player.graph)) {
            player.state = MusicState::Playing;
            return Playing();
        }
        // The loaded file cannot go on; a fresh graph takes the next entry.
        // The file is not dropped: after an edit its entry may be gone.
        if (!Rebuild(player)) return BothGrayed();
    }
    std::vector<std::string>& list = player.soundList;
    while (!list.empty()) {
        if (player.soundCursor < 0 || player.soundCursor >= static_cast<int>(list.size())) {
            player.soundCursor = 0;
        }
        const PlayResult result = player.calls->playFile(player.graph, list[static_cast<size_t>(player.soundCursor)]);
        if (result == PlayResult::Started) {
            player.state = MusicState::Playing;
            break;
        }
        list.erase(list.begin() + player.soundCursor);
        // Rendered but silent: the next entry must not play beside it.
        if (result == PlayResult::NotStarted && !Rebuild(player)) break;
    }
    player.soundCursor += 1;
    return player.state == MusicState::NoGraph ? BothGrayed() : Playing();
}

SoundMenu StopSoundList(SoundPlayer& player) {
    if (player.state == MusicState::NoGraph) return BothGrayed();
    if (player.calls->stop(player.graph)) {
        if (player.state == MusicState::Playing) player.state = MusicState::Stopped;
        return Stopped();
    }
    // Releasing a graph that will not stop silences it; its file goes with
    // it, so a start takes the next entry.
    return Rebuild(player) ? Stopped() : BothGrayed();
}

SoundMenu TakeGraphEvents(SoundPlayer& player) {
    if (player.state == MusicState::NoGraph) return {};
    if (!player.calls->drainEvents(player.graph)) return {};
    if (!Rebuild(player)) return BothGrayed();
    const SoundMenu menu = StartSoundList(player);
    if (player.hushed) HushSoundList(player);
    return menu;
}

void HushSoundList(SoundPlayer& player) {
    player.hushed = player.state == MusicState::Playing && player.calls->stop(player.graph);
}

SoundMenu WakeSoundList(SoundPlayer& player) {
    if (!player.hushed) return {};
    player.hushed = false;
    return player.state == MusicState::Playing ? StartSoundList(player) : SoundMenu{};
}

SoundMenu SoundMenuAfterEdit(const SoundPlayer& player) {
    if (player.state == MusicState::NoGraph || player.soundList.empty()) return BothGrayed();
    if (player.state == MusicState::Idle) return Stopped();
    return {};
}

SoundMenu SoundMenuAtStartUp(const SoundPlayer& player) {
    return player.state == MusicState::NoGraph ? BothGrayed() : SoundMenu{};
}
