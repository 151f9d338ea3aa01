// The music player's rules over the sound play-list.
#include "music/music_core.h"

#include "storage/play_list_walk.h"

namespace {

// A volume the graph did not take leaves the music as loud as it was: there
// is nothing else to do about it.
void ApplyVolume(const SoundPlayer& player, MusicGraph& graph) {
    graph.SetVolume(VolumeOfStep(player.volumeStep));
}

// Replaces the graph with a fresh, empty one at the player's volume; without
// one nothing can play any more.
bool Rebuild(SoundPlayer& player, MusicGraph& graph) {
    player.state = graph.Rebuild() == GraphStep::Done ? MusicState::Idle : MusicState::NoGraph;
    if (player.state == MusicState::Idle) ApplyVolume(player, graph);
    return player.state == MusicState::Idle;
}

// One entry handed to the graph, as the walk of the play-list counts it.
EntryTry TryToPlay(MusicGraph& graph, const std::string& entry) {
    switch (graph.PlayFile(entry)) {
    case PlayResult::Started:
        return EntryTry::Taken;
    case PlayResult::NotRendered:
        return EntryTry::Never;
    case PlayResult::Busy:
        return EntryTry::NotNow;
    case PlayResult::NotStarted:
        break;
    }
    // The graph holds the file and must be replaced: no other entry can play now.
    return EntryTry::StopHere;
}

// Plays the first entry that will from the cursor on, in an empty graph.
SoundMenu PlayFromCursor(SoundPlayer& player, MusicGraph& graph) {
    const bool wasEmpty = player.soundList.empty();
    const PlayListWalk walk = WalkEntries(player.soundList, player.soundCursor,
                                          [&graph](const std::string& entry) { return TryToPlay(graph, entry); });
    switch (walk.end) {
    case WalkEnd::Taken:
        player.state = MusicState::Playing;
        player.soundCursor = walk.cursor + 1;
        return SoundMenu::StartGrayed;
    case WalkEnd::Stopped:
        // The device failed, not the file: it is tried again at the next start.
        player.soundCursor = walk.cursor;
        return Rebuild(player, graph) ? SoundMenu::StopGrayed : SoundMenu::BothGrayed;
    case WalkEnd::AllTried:
        break;
    }
    if (!player.soundList.empty()) {
        player.soundCursor = walk.cursor;
        return SoundMenu::StopGrayed;  // every entry busy: Start tries them again
    }
    // Nothing left to play; a start moves the cursor on all the same.
    player.soundCursor = (wasEmpty ? player.soundCursor : 0) + 1;
    return SoundMenu::StartGrayed;
}

}  // namespace

SoundMenu StartSoundList(SoundPlayer& player, MusicGraph& graph) {
    // Without a graph nothing can be rendered: trying would drop every entry.
    if (player.state == MusicState::NoGraph) return SoundMenu::BothGrayed;
    if (player.state == MusicState::NotMade && !Rebuild(player, graph)) return SoundMenu::BothGrayed;
    if (player.state != MusicState::Idle) {
        if (graph.Run() == GraphStep::Done) {
            player.state = MusicState::Playing;
            return SoundMenu::StartGrayed;
        }
        // The loaded file cannot go on; a fresh graph takes the next entry.
        // The file is not dropped: after an edit its entry may be gone.
        if (!Rebuild(player, graph)) return SoundMenu::BothGrayed;
    }
    return PlayFromCursor(player, graph);
}

SoundMenu StopSoundList(SoundPlayer& player, MusicGraph& graph) {
    if (player.state == MusicState::NoGraph) return SoundMenu::BothGrayed;
    if (player.state == MusicState::NotMade) return SoundMenu::StopGrayed;
    if (graph.Stop() == GraphStep::Done) {
        if (player.state == MusicState::Playing) player.state = MusicState::Stopped;
        return SoundMenu::StopGrayed;
    }
    // Releasing a graph that will not stop silences it; its file goes with
    // it, so a start takes the next entry.
    return Rebuild(player, graph) ? SoundMenu::StopGrayed : SoundMenu::BothGrayed;
}

SoundMenu TakeGraphEvents(SoundPlayer& player, MusicGraph& graph) {
    if (player.state == MusicState::NoGraph || player.state == MusicState::NotMade) return SoundMenu::Unchanged;
    if (graph.DrainEvents() != GraphEvents::FileEnded) return SoundMenu::Unchanged;
    if (!Rebuild(player, graph)) return SoundMenu::BothGrayed;
    const SoundMenu menu = StartSoundList(player, graph);
    if (player.hushed) HushSoundList(player, graph);
    return menu;
}

void HushSoundList(SoundPlayer& player, MusicGraph& graph) {
    player.hushed = player.state == MusicState::Playing && graph.Stop() == GraphStep::Done;
}

SoundMenu WakeSoundList(SoundPlayer& player, MusicGraph& graph) {
    if (!player.hushed) return SoundMenu::Unchanged;
    player.hushed = false;
    return player.state == MusicState::Playing ? StartSoundList(player, graph) : SoundMenu::Unchanged;
}

int VolumeOfStep(int step) {
    // DirectShow's own scale: -10000 is silence; a step down is 10 dB.
    static const int kVolumes[kVolumeSteps] = {-10000, -2000, -1000, 0};
    return kVolumes[step < 0 ? 0 : step >= kVolumeSteps ? kVolumeSteps - 1 : step];
}

SoundMenu SkipToNextTune(SoundPlayer& player, MusicGraph& graph) {
    if (!TuneIsPlaying(player)) return SoundMenu::Unchanged;
    if (!Rebuild(player, graph)) return SoundMenu::BothGrayed;
    return StartSoundList(player, graph);
}

bool TuneIsPlaying(const SoundPlayer& player) {
    return player.state == MusicState::Playing;
}

void ChangeVolume(SoundPlayer& player, MusicGraph& graph, int step) {
    player.volumeStep = step < 0 ? 0 : step >= kVolumeSteps ? kVolumeSteps - 1 : step;
    // Before the first start there is no graph: the first one takes the step.
    if (player.state != MusicState::NoGraph && player.state != MusicState::NotMade) ApplyVolume(player, graph);
}

SoundMenu SoundMenuAfterEdit(const SoundPlayer& player) {
    if (player.state == MusicState::NoGraph || player.soundList.empty()) return SoundMenu::BothGrayed;
    if (player.state == MusicState::Idle || player.state == MusicState::NotMade) return SoundMenu::StopGrayed;
    return SoundMenu::Unchanged;
}

SoundMenu SoundMenuAtStartUp(const SoundPlayer& player) {
    return player.state == MusicState::NoGraph ? SoundMenu::BothGrayed : SoundMenu::Unchanged;
}
