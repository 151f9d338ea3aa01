// The music player's rules against a fake filter graph that records each call.
#include "music/music_core.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

// Found by argument lookup, so outside the unnamed namespace.
static std::ostream& operator<<(std::ostream& out, SoundMenu menu) {
    const char* names[] = {"unchanged", "start grayed", "stop grayed", "both grayed"};
    return out << names[static_cast<int>(menu)];
}

static std::ostream& operator<<(std::ostream& out, MusicState state) {
    const char* names[] = {"no graph", "not made", "idle", "playing", "stopped"};
    return out << names[static_cast<int>(state)];
}

namespace {

using List = std::vector<std::string>;

// Renders and runs every path but the unplayable and the silent ones; the
// calls it took are kept in order.
struct FakeGraph final : MusicGraph {
    std::set<std::string> unplayable;  // not rendered
    std::set<std::string> silent;      // rendered, but the graph does not run
    std::set<std::string> busy;        // held by another program
    bool runFails = false;
    bool stopFails = false;
    bool rebuildFails = false;
    std::vector<std::string> calls;
    int pendingCompletions = 0;
    int graphsBuilt = 1;
    // The graph's volume, and each file rendered with the volume it got;
    // kept apart from `calls`, which follow the play-list.
    int volume = 0;
    std::vector<std::pair<std::string, int>> rendered;

    PlayResult PlayFile(const std::string& path) override {
        calls.push_back("render " + path);
        rendered.emplace_back(path, volume);
        if (unplayable.count(path)) return PlayResult::NotRendered;
        if (busy.count(path)) return PlayResult::Busy;
        return silent.count(path) ? PlayResult::NotStarted : PlayResult::Started;
    }
    GraphStep Run() override {
        calls.push_back("run");
        return runFails ? GraphStep::Failed : GraphStep::Done;
    }
    GraphStep Stop() override {
        calls.push_back("stop");
        return stopFails ? GraphStep::Failed : GraphStep::Done;
    }
    GraphEvents DrainEvents() override {
        calls.push_back("drain");
        if (pendingCompletions == 0) return GraphEvents::NoEnd;
        pendingCompletions -= 1;
        return GraphEvents::FileEnded;
    }
    GraphStep Rebuild() override {
        calls.push_back("rebuild");
        if (rebuildFails) return GraphStep::Failed;
        graphsBuilt += 1;
        volume = 0;
        return GraphStep::Done;
    }
    GraphStep SetVolume(int hundredthsOfDb) override {
        volume = hundredthsOfDb;
        return GraphStep::Done;
    }
};

// A player as at start-up: its graph made, nothing rendered into it.
SoundPlayer PlayerWith(List list = {}, int cursor = 0) {
    SoundPlayer player;
    player.soundList = std::move(list);
    player.soundCursor = cursor;
    player.state = MusicState::Idle;
    return player;
}

// The Sound items after Start, after Stop, and with nothing to play through.
constexpr SoundMenu kPlaying = SoundMenu::StartGrayed;
constexpr SoundMenu kStopped = SoundMenu::StopGrayed;
constexpr SoundMenu kBothGrayed = SoundMenu::BothGrayed;
constexpr SoundMenu kUnchanged = SoundMenu::Unchanged;

// Plays the file in the graph to its end and lets the player take the notification.
SoundMenu EndOfFile(SoundPlayer& player, FakeGraph& fake) {
    fake.pendingCompletions = 1;
    return TakeGraphEvents(player, fake);
}

TEST(MusicPlayer, ThreeEntriesPlayInOrderAndStartAgainWithTheFirstEachInAFreshGraph) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.mp3", "c.mid"});

    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_EQ(MusicState::Playing, player.state);
    for (const char* next : {"b.mp3", "c.mid", "a.wav"}) {
        fake.calls.clear();
        EXPECT_EQ(kPlaying, EndOfFile(player, fake));
        EXPECT_EQ(List({"drain", "rebuild", std::string("render ") + next}), fake.calls);
    }
    EXPECT_EQ(1, player.soundCursor) << "wrapped to the first and one past it";
    EXPECT_EQ(4, fake.graphsBuilt);
    EXPECT_EQ(List({"a.wav", "b.mp3", "c.mid"}), player.soundList);
}

TEST(MusicPlayer, ASingleEntryPlaysAgainAndAgain) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"only.wav"});
    StartSoundList(player, fake);

    for (int round = 0; round < 3; ++round) {
        fake.calls.clear();
        EndOfFile(player, fake);
        EXPECT_EQ(List({"drain", "rebuild", "render only.wav"}), fake.calls);
        EXPECT_EQ(1, player.soundCursor);
    }
}

TEST(MusicPlayer, AnUnplayableSecondEntryIsDroppedWhenTheFirstEndsAndTheThirdPlays) {
    FakeGraph fake;
    fake.unplayable = {"bad.wav"};
    SoundPlayer player = PlayerWith({"first.wav", "bad.wav", "third.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kPlaying, EndOfFile(player, fake));
    EXPECT_EQ(List({"drain", "rebuild", "render bad.wav", "render third.wav"}), fake.calls);
    EXPECT_EQ(2, player.soundCursor);
    EXPECT_EQ(List({"first.wav", "third.wav"}), player.soundList);
    EXPECT_EQ(MusicState::Playing, player.state);

    fake.calls.clear();
    EndOfFile(player, fake);
    EXPECT_EQ(List({"drain", "rebuild", "render first.wav"}), fake.calls) << "the walk wraps";
}

TEST(MusicPlayer, ASoundDeviceThatFailsStopsTheMusicAndKeepsEveryEntryForTheNextStart) {
    // Rendered, but the graph would not run: the device, not the file, failed.
    FakeGraph fake;
    fake.silent = {"second.wav"};
    SoundPlayer player = PlayerWith({"first.wav", "second.wav", "third.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kStopped, EndOfFile(player, fake)) << "Start enabled to try again";
    EXPECT_EQ(List({"drain", "rebuild", "render second.wav", "rebuild"}), fake.calls)
        << "the graph that holds it is replaced, and nothing else is tried in the meantime";
    EXPECT_EQ(List({"first.wav", "second.wav", "third.wav"}), player.soundList);
    EXPECT_EQ(MusicState::Idle, player.state);

    fake.silent.clear();  // the device is back
    fake.calls.clear();
    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(List({"render second.wav"}), fake.calls) << "the same entry again";
    EXPECT_EQ(2, player.soundCursor);
}

TEST(MusicPlayer, AFileHeldByAnotherProgramIsPassedAndPlaysAtItsNextTurn) {
    FakeGraph fake;
    fake.busy = {"held.wav"};
    SoundPlayer player = PlayerWith({"a.wav", "held.wav", "c.wav"});
    StartSoundList(player, fake);
    fake.calls.clear();
    EXPECT_EQ(kPlaying, EndOfFile(player, fake));
    EXPECT_EQ(List({"drain", "rebuild", "render held.wav", "render c.wav"}), fake.calls);
    EXPECT_EQ(List({"a.wav", "held.wav", "c.wav"}), player.soundList);
    EXPECT_EQ(3, player.soundCursor);

    // Every entry busy: nothing plays, nothing goes, and Start can try again.
    fake.busy = {"a.wav", "held.wav", "c.wav"};
    fake.calls.clear();
    EXPECT_EQ(kStopped, EndOfFile(player, fake));
    EXPECT_EQ(List({"a.wav", "held.wav", "c.wav"}), player.soundList);
    EXPECT_EQ(0, player.soundCursor);
}

TEST(MusicPlayer, EveryEntryUnplayableEmptiesTheListAndStillShowsStop) {
    FakeGraph fake;
    fake.unplayable = {"gone.wav", "text.wav"};
    SoundPlayer player = PlayerWith({"gone.wav", "text.wav"});

    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_TRUE(player.soundList.empty());
    EXPECT_EQ(MusicState::Idle, player.state);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, AnEmptyListPlaysNothingButMovesTheCursorAndShowsStop) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith();

    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(MusicState::Idle, player.state);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, ACursorBeyondTheEndWrapsToTheFirstEntry) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"}, 5);

    StartSoundList(player, fake);
    EXPECT_EQ(List({"render a.wav"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, StopThenStartResumesTheSameGraphWithoutRenderingAgain) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kStopped, StopSoundList(player, fake));
    EXPECT_EQ(MusicState::Stopped, player.state) << "the file stays loaded";
    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(List({"stop", "run"}), fake.calls);
    EXPECT_EQ(MusicState::Playing, player.state);
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_EQ(1, fake.graphsBuilt);

    // Stop with nothing loaded leaves nothing to resume: Start plays the next entry.
    player = PlayerWith({"a.wav", "b.wav"});
    StopSoundList(player, fake);
    EXPECT_EQ(MusicState::Idle, player.state);
    fake.calls.clear();
    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(List({"render a.wav"}), fake.calls) << "not the empty graph run";
}

TEST(MusicPlayer, AGraphThatWillNotStopOrResumeIsReplacedAndTheWalkGoesOnWithNothingDropped) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav", "c.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    fake.stopFails = true;
    EXPECT_EQ(kStopped, StopSoundList(player, fake)) << "released, so silent all the same";
    EXPECT_EQ(List({"stop", "rebuild"}), fake.calls);
    EXPECT_EQ(MusicState::Idle, player.state);
    fake.stopFails = false;
    StartSoundList(player, fake);
    StopSoundList(player, fake);

    fake.calls.clear();
    fake.runFails = true;
    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(List({"run", "rebuild", "render c.wav"}), fake.calls);
    EXPECT_EQ(3, player.soundCursor);
    EXPECT_EQ(List({"a.wav", "b.wav", "c.wav"}), player.soundList);
}

TEST(MusicPlayer, MinimisedTheMusicStopsWhereItIsAndGoesOnWhenTheWindowIsBack) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    HushSoundList(player, fake);
    EXPECT_EQ(MusicState::Playing, player.state) << "the Sound items stay as they were";
    EXPECT_EQ(kPlaying, WakeSoundList(player, fake));
    EXPECT_EQ(List({"stop", "run"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor) << "the same file goes on";
    fake.calls.clear();
    EXPECT_EQ(kUnchanged, WakeSoundList(player, fake)) << "restored twice";
    EXPECT_EQ(kPlaying, EndOfFile(player, fake)) << "the file after it plays aloud";
    EXPECT_EQ(List({"drain", "rebuild", "render b.wav"}), fake.calls);

    // A file that ends just as the window goes down: the next one is hushed at once.
    HushSoundList(player, fake);
    fake.calls.clear();
    EndOfFile(player, fake);
    EXPECT_EQ(List({"drain", "rebuild", "render a.wav", "stop"}), fake.calls);
    fake.calls.clear();
    WakeSoundList(player, fake);
    EXPECT_EQ(List({"run"}), fake.calls);

    // Music the player stopped stays stopped.
    StopSoundList(player, fake);
    fake.calls.clear();
    HushSoundList(player, fake);
    EXPECT_EQ(kUnchanged, WakeSoundList(player, fake));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(MusicState::Stopped, player.state);
}

TEST(MusicPlayer, ANotificationWithoutACompletionChangesNothing) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    StartSoundList(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kUnchanged, TakeGraphEvents(player, fake));
    EXPECT_EQ(List({"drain"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_EQ(MusicState::Playing, player.state);
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
}

TEST(MusicPlayer, AFileEndingAfterTheListWasEmptiedLeavesNothingLoaded) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav"});
    StartSoundList(player, fake);
    player.soundList.clear();

    EXPECT_EQ(kPlaying, EndOfFile(player, fake)) << "Start grayed, Stop enabled";
    EXPECT_EQ(MusicState::Idle, player.state);
    EXPECT_EQ(2, player.soundCursor);
}

TEST(MusicPlayer, WithoutAGraphNothingIsCalledNothingDroppedAndBothItemsGray) {
    FakeGraph fake;
    fake.pendingCompletions = 1;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    player.state = MusicState::NoGraph;

    EXPECT_EQ(kBothGrayed, SoundMenuAtStartUp(player));
    EXPECT_EQ(kBothGrayed, StartSoundList(player, fake));
    EXPECT_EQ(kBothGrayed, StopSoundList(player, fake));
    EXPECT_EQ(kUnchanged, TakeGraphEvents(player, fake));
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(player));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
    EXPECT_EQ(0, player.soundCursor);
    EXPECT_EQ(MusicState::NoGraph, player.state);
}

TEST(MusicPlayer, AGraphThatCannotBeRebuiltStopsThePlayListWithoutDroppingIt) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    StartSoundList(player, fake);
    fake.rebuildFails = true;

    EXPECT_EQ(kBothGrayed, EndOfFile(player, fake));
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
    EXPECT_EQ(MusicState::NoGraph, player.state);

    // A silent entry spoils the graph it was rendered into; it is kept.
    FakeGraph spoiled;
    spoiled.silent = {"silent.wav"};
    spoiled.rebuildFails = true;
    player = PlayerWith({"silent.wav", "b.wav"});
    EXPECT_EQ(kBothGrayed, StartSoundList(player, spoiled));
    EXPECT_EQ(List({"render silent.wav", "rebuild"}), spoiled.calls);
    EXPECT_EQ(List({"silent.wav", "b.wav"}), player.soundList);
    EXPECT_EQ(MusicState::NoGraph, player.state);
}

TEST(MusicPlayer, NoGraphIsMadeBeforeTheFirstStartWhichMakesItOrGraysBothItems) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav"});
    player.state = MusicState::NotMade;

    EXPECT_EQ(kUnchanged, SoundMenuAtStartUp(player)) << "as the menu has them";
    EXPECT_EQ(kStopped, StopSoundList(player, fake)) << "nothing to stop";
    EXPECT_EQ(kUnchanged, TakeGraphEvents(player, fake));
    EXPECT_EQ(kStopped, SoundMenuAfterEdit(player)) << "Start can be chosen";
    HushSoundList(player, fake);
    EXPECT_EQ(kUnchanged, WakeSoundList(player, fake));
    EXPECT_TRUE(fake.calls.empty()) << "no graph called, none made";
    EXPECT_EQ(MusicState::NotMade, player.state);

    EXPECT_EQ(kPlaying, StartSoundList(player, fake));
    EXPECT_EQ(List({"rebuild", "render a.wav"}), fake.calls) << "the graph made, then the first entry played";
    EXPECT_EQ(1, player.soundCursor);

    // Registered, but it cannot be made: both items gray, and nothing is dropped.
    FakeGraph missing;
    missing.rebuildFails = true;
    player = PlayerWith({"a.wav", "b.wav"});
    player.state = MusicState::NotMade;
    EXPECT_EQ(kBothGrayed, StartSoundList(player, missing));
    EXPECT_EQ(List({"rebuild"}), missing.calls);
    EXPECT_EQ(MusicState::NoGraph, player.state);
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
    EXPECT_EQ(0, player.soundCursor);
}

TEST(MusicPlayer, TheSoundItemsAfterAnEdit) {
    SoundPlayer player = PlayerWith({"a.wav"});
    EXPECT_EQ(kStopped, SoundMenuAfterEdit(player)) << "nothing loaded: Start can be chosen";
    for (MusicState loaded : {MusicState::Playing, MusicState::Stopped}) {
        player.state = loaded;
        EXPECT_EQ(kUnchanged, SoundMenuAfterEdit(player)) << "a file loaded: as they were";
    }
    player.soundList.clear();
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(player)) << "empty list, loaded or not";
    player.state = MusicState::Idle;
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(player));
    EXPECT_EQ(kUnchanged, SoundMenuAtStartUp(player));
}

}  // namespace

TEST(MusicVolume, TheChosenStepReachesWhatPlaysAtOnceAndEveryTuneAfterInItsFreshGraph) {
    FakeGraph fake;
    SoundPlayer player;
    player.soundList = {"a.wav", "b.wav"};
    player.state = MusicState::NotMade;
    ChangeVolume(player, fake, 1);  // from kanoze.ini, before any graph
    EXPECT_EQ(1, fake.graphsBuilt) << "no graph is made for it";
    EXPECT_EQ(0, fake.volume);

    StartSoundList(player, fake);
    EndOfFile(player, fake);
    using Rendered = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(Rendered({{"a.wav", -2000}, {"b.wav", -2000}}), fake.rendered) << "soft from the first tune on";

    ChangeVolume(player, fake, 0);
    EXPECT_EQ(-10000, fake.volume) << "mute, at once";
    ChangeVolume(player, fake, 7);
    EXPECT_EQ(3, player.volumeStep) << "a step beyond the last is full";
    EXPECT_EQ(0, fake.volume);
    ChangeVolume(player, fake, 2);
    EndOfFile(player, fake);
    EXPECT_EQ(-1000, fake.rendered.back().second) << "medium";
    EXPECT_EQ(-10000, VolumeOfStep(-1));
}

TEST(NextTune, TheFileThatPlaysGivesWayToTheNextEntryInAFreshGraphAsAtItsEnd) {
    FakeGraph fake;
    SoundPlayer player = PlayerWith({"a.wav", "b.wav", "c.wav"});
    EXPECT_FALSE(TuneIsPlaying(player));
    EXPECT_EQ(kUnchanged, SkipToNextTune(player, fake)) << "nothing plays: nothing to skip";
    EXPECT_EQ(List(), fake.calls);

    StartSoundList(player, fake);
    EXPECT_TRUE(TuneIsPlaying(player));
    fake.calls.clear();
    EXPECT_EQ(kPlaying, SkipToNextTune(player, fake));
    EXPECT_EQ(List({"rebuild", "render b.wav"}), fake.calls);
    EXPECT_EQ(2, player.soundCursor);
    SkipToNextTune(player, fake);
    SkipToNextTune(player, fake);
    EXPECT_EQ("render a.wav", fake.calls.back()) << "the walk wraps";

    StopSoundList(player, fake);
    EXPECT_FALSE(TuneIsPlaying(player));
    fake.calls.clear();
    EXPECT_EQ(kUnchanged, SkipToNextTune(player, fake)) << "stopped: Start resumes the same tune";
    EXPECT_EQ(List(), fake.calls);
}
