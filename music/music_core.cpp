// The music player's rules over the sound play-list.
#include "music/music_core.h"

#include "storage/list_file.h"

namespace {

SoundMenu Playing() { return {true, false, true}; }
SoundMenu Stopped() { return {true, true, false}; }
SoundMenu BothGrayed() { return {true, false, false}; }

// Replaces the graph with a fresh, empty one; without one nothing can play
// any more.
bool Rebuild(SoundPlayer& player, MusicGraph& graph) {
    player.state = graph.Rebuild() == GraphStep::Done ? MusicState::Idle : MusicState::NoGraph;
    return player.state == MusicState::Idle;
}

}  // namespace

SoundMenu StartSoundList(SoundPlayer& player, MusicGraph& graph) {
    // Without a graph nothing can be rendered: trying would drop every entry.
    if (player.state == MusicState::NoGraph) return BothGrayed();
    if (player.state != MusicState::Idle) {
        if (graph.Run() == GraphStep::Done) {
            player.state = MusicState::Playing;
            return Playing();
        }
        // The loaded file cannot go on; a fresh graph takes the next entry.
        // The file is not dropped: after an edit its entry may be gone.
        if (!Rebuild(player, graph)) return BothGrayed();
    }
    std::vector<std::string>& list = player.soundList;
    const int count = static_cast<int>(list.size());
    const int start = player.soundCursor >= 0 && player.soundCursor < count ? player.soundCursor : 0;
    std::vector<bool> dropped(list.size(), false);
    int played = -1, stuck = -1;
    for (int tried = 0; tried < count && played < 0 && stuck < 0; ++tried) {
        const int index = (start + tried) % count;
        switch (graph.PlayFile(list[static_cast<size_t>(index)])) {
        case PlayResult::Started:
            played = index;
            break;
        case PlayResult::NotRendered:
            dropped[static_cast<size_t>(index)] = true;
            break;
        case PlayResult::Busy:
            break;
        case PlayResult::NotStarted:
            stuck = index;
            break;
        }
    }
    // The cursor follows its entry past the dropped ones.
    const int anchorAt = DropMarkedEntries(list, dropped, played >= 0 ? played : stuck >= 0 ? stuck : start);
    if (played >= 0) {
        player.state = MusicState::Playing;
        player.soundCursor = anchorAt + 1;
        return Playing();
    }
    if (stuck >= 0) {
        // The device failed, not the file: it is tried again at the next start.
        player.soundCursor = anchorAt;
        return Rebuild(player, graph) ? Stopped() : BothGrayed();
    }
    if (!list.empty()) {
        player.soundCursor = anchorAt;
        return Stopped();  // every entry busy: Start tries them again
    }
    // Nothing left to play; a start moves the cursor on all the same.
    player.soundCursor = (count == 0 ? player.soundCursor : 0) + 1;
    return Playing();
}

SoundMenu StopSoundList(SoundPlayer& player, MusicGraph& graph) {
    if (player.state == MusicState::NoGraph) return BothGrayed();
    if (graph.Stop() == GraphStep::Done) {
        if (player.state == MusicState::Playing) player.state = MusicState::Stopped;
        return Stopped();
    }
    // Releasing a graph that will not stop silences it; its file goes with
    // it, so a start takes the next entry.
    return Rebuild(player, graph) ? Stopped() : BothGrayed();
}

SoundMenu TakeGraphEvents(SoundPlayer& player, MusicGraph& graph) {
    if (player.state == MusicState::NoGraph) return {};
    if (graph.DrainEvents() != GraphEvents::FileEnded) return {};
    if (!Rebuild(player, graph)) return BothGrayed();
    const SoundMenu menu = StartSoundList(player, graph);
    if (player.hushed) HushSoundList(player, graph);
    return menu;
}

void HushSoundList(SoundPlayer& player, MusicGraph& graph) {
    player.hushed = player.state == MusicState::Playing && graph.Stop() == GraphStep::Done;
}

SoundMenu WakeSoundList(SoundPlayer& player, MusicGraph& graph) {
    if (!player.hushed) return {};
    player.hushed = false;
    return player.state == MusicState::Playing ? StartSoundList(player, graph) : SoundMenu{};
}

SoundMenu SoundMenuAfterEdit(const SoundPlayer& player) {
    if (player.state == MusicState::NoGraph || player.soundList.empty()) return BothGrayed();
    if (player.state == MusicState::Idle) return Stopped();
    return {};
}

SoundMenu SoundMenuAtStartUp(const SoundPlayer& player) {
    return player.state == MusicState::NoGraph ? BothGrayed() : SoundMenu{};
}
