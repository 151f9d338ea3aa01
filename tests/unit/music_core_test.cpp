// The music player's rules against a fake filter graph that records each call.
#include "music/music_core.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// Found by argument lookup, so outside the unnamed namespace.
static bool operator==(const SoundMenu& a, const SoundMenu& b) {
    return a.change == b.change && (!a.change || (a.startEnabled == b.startEnabled && a.stopEnabled == b.stopEnabled));
}

static std::ostream& operator<<(std::ostream& out, const SoundMenu& menu) {
    if (!menu.change) return out << "unchanged";
    return out << "start " << (menu.startEnabled ? "on" : "off") << ", stop " << (menu.stopEnabled ? "on" : "off");
}

namespace {

using List = std::vector<std::string>;

// Renders every path but the unplayable ones; the calls it took are kept in order.
struct FakeGraph {
    bool exists = true;
    std::set<std::string> unplayable;
    std::vector<std::string> calls;
    int pendingCompletions = 0;
    int graphsBuilt = 1;
};

MusicGraphCalls Calls(FakeGraph& fake) {
    MusicGraphCalls calls;
    calls.graph = &fake;
    calls.exists = [](void* g) { return static_cast<FakeGraph*>(g)->exists; };
    calls.playFile = [](void* g, const std::string& path) {
        FakeGraph& fake = *static_cast<FakeGraph*>(g);
        fake.calls.push_back("render " + path);
        return fake.unplayable.count(path) ? 0 : 1;
    };
    calls.run = [](void* g) { static_cast<FakeGraph*>(g)->calls.push_back("run"); };
    calls.stop = [](void* g) { static_cast<FakeGraph*>(g)->calls.push_back("stop"); };
    calls.drainEvents = [](void* g) {
        FakeGraph& fake = *static_cast<FakeGraph*>(g);
        fake.calls.push_back("drain");
        if (fake.pendingCompletions == 0) return 0;
        fake.pendingCompletions -= 1;
        return 1;
    };
    calls.rebuild = [](void* g) {
        FakeGraph& fake = *static_cast<FakeGraph*>(g);
        fake.calls.push_back("rebuild");
        fake.graphsBuilt += 1;
    };
    return calls;
}

struct Player {
    List soundList;
    int soundCursor = 0;
    bool soundLoaded = false;
    SoundPlayer rules() { return {soundList, soundCursor, soundLoaded}; }
};

const SoundMenu kPlaying = {true, false, true};
const SoundMenu kStopped = {true, true, false};
const SoundMenu kBothGrayed = {true, false, false};
const SoundMenu kUnchanged = {};

// Plays the file in the graph to its end and lets the player take the notification.
SoundMenu EndOfFile(Player& player, FakeGraph& fake) {
    fake.pendingCompletions = 1;
    SoundPlayer rules = player.rules();
    return TakeGraphEvents(rules, Calls(fake));
}

SoundMenu Start(Player& player, FakeGraph& fake) {
    SoundPlayer rules = player.rules();
    return StartSoundList(rules, Calls(fake));
}

TEST(MusicPlayer, ThreeEntriesPlayInOrderAndStartAgainWithTheFirstEachInAFreshGraph) {
    Player player{{"a.wav", "b.mp3", "c.mid"}};
    FakeGraph fake;

    EXPECT_EQ(kPlaying, Start(player, fake));
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_TRUE(player.soundLoaded);
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
    Player player{{"only.wav"}};
    FakeGraph fake;
    Start(player, fake);

    for (int round = 0; round < 3; ++round) {
        fake.calls.clear();
        EndOfFile(player, fake);
        EXPECT_EQ(List({"drain", "rebuild", "render only.wav"}), fake.calls);
        EXPECT_EQ(1, player.soundCursor);
    }
}

TEST(MusicPlayer, AnUnplayableSecondEntryIsDroppedWhenTheFirstEndsAndTheThirdPlays) {
    Player player{{"first.wav", "text.wav", "third.wav"}};
    FakeGraph fake;
    fake.unplayable = {"text.wav"};
    Start(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kPlaying, EndOfFile(player, fake));
    EXPECT_EQ(List({"drain", "rebuild", "render text.wav", "render third.wav"}), fake.calls)
        << "the failed entry and the next are tried in the same graph";
    EXPECT_EQ(2, player.soundCursor);
    EXPECT_EQ(List({"first.wav", "third.wav"}), player.soundList);
    EXPECT_TRUE(player.soundLoaded);

    fake.calls.clear();
    EndOfFile(player, fake);
    EXPECT_EQ(List({"drain", "rebuild", "render first.wav"}), fake.calls) << "the walk wraps";
}

TEST(MusicPlayer, EveryEntryUnplayableEmptiesTheListAndStillShowsStop) {
    Player player{{"gone.wav", "text.wav"}};
    FakeGraph fake;
    fake.unplayable = {"gone.wav", "text.wav"};

    EXPECT_EQ(kPlaying, Start(player, fake));
    EXPECT_TRUE(player.soundList.empty());
    EXPECT_FALSE(player.soundLoaded);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, AnEmptyListPlaysNothingButMovesTheCursorAndShowsStop) {
    Player player;
    FakeGraph fake;

    EXPECT_EQ(kPlaying, Start(player, fake));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_FALSE(player.soundLoaded);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, ACursorBeyondTheEndWrapsToTheFirstEntry) {
    Player player{{"a.wav", "b.wav"}, 5};
    FakeGraph fake;

    Start(player, fake);
    EXPECT_EQ(List({"render a.wav"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor);
}

TEST(MusicPlayer, StopThenStartResumesTheSameGraphWithoutRenderingAgain) {
    Player player{{"a.wav", "b.wav"}};
    FakeGraph fake;
    Start(player, fake);

    fake.calls.clear();
    EXPECT_EQ(kStopped, StopSoundList(Calls(fake)));
    EXPECT_TRUE(player.soundLoaded) << "the file stays loaded";
    EXPECT_EQ(kPlaying, Start(player, fake));
    EXPECT_EQ(List({"stop", "run"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_EQ(1, fake.graphsBuilt);
}

TEST(MusicPlayer, ANotificationWithoutACompletionChangesNothing) {
    Player player{{"a.wav", "b.wav"}};
    FakeGraph fake;
    Start(player, fake);

    fake.calls.clear();
    SoundPlayer rules = player.rules();
    EXPECT_EQ(kUnchanged, TakeGraphEvents(rules, Calls(fake)));
    EXPECT_EQ(List({"drain"}), fake.calls);
    EXPECT_EQ(1, player.soundCursor);
    EXPECT_TRUE(player.soundLoaded);
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
}

TEST(MusicPlayer, AFileEndingAfterTheListWasEmptiedLeavesNothingLoaded) {
    Player player{{"a.wav"}};
    FakeGraph fake;
    Start(player, fake);
    player.soundList.clear();

    EXPECT_EQ(kPlaying, EndOfFile(player, fake)) << "Start grayed, Stop enabled";
    EXPECT_FALSE(player.soundLoaded);
    EXPECT_EQ(2, player.soundCursor);
}

TEST(MusicPlayer, WithoutAGraphNothingIsCalledNothingDroppedAndBothItemsGray) {
    Player player{{"a.wav", "b.wav"}};
    FakeGraph fake;
    fake.exists = false;
    fake.pendingCompletions = 1;

    EXPECT_EQ(kBothGrayed, SoundMenuAtStartUp(false));
    EXPECT_EQ(kBothGrayed, Start(player, fake));
    EXPECT_EQ(kBothGrayed, StopSoundList(Calls(fake)));
    SoundPlayer rules = player.rules();
    EXPECT_EQ(kUnchanged, TakeGraphEvents(rules, Calls(fake)));
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(rules, false));
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
    EXPECT_EQ(0, player.soundCursor);
    EXPECT_FALSE(player.soundLoaded);
}

TEST(MusicPlayer, AGraphThatCannotBeRebuiltStopsThePlayListWithoutDroppingIt) {
    Player player{{"a.wav", "b.wav"}};
    FakeGraph fake;
    Start(player, fake);
    MusicGraphCalls calls = Calls(fake);
    calls.rebuild = [](void* g) { static_cast<FakeGraph*>(g)->exists = false; };
    fake.pendingCompletions = 1;

    SoundPlayer rules = player.rules();
    EXPECT_EQ(kBothGrayed, TakeGraphEvents(rules, calls));
    EXPECT_EQ(List({"a.wav", "b.wav"}), player.soundList);
    EXPECT_FALSE(player.soundLoaded);
}

TEST(MusicPlayer, TheSoundItemsAfterAnEdit) {
    Player player{{"a.wav"}};
    EXPECT_EQ(kStopped, SoundMenuAfterEdit(player.rules(), true)) << "nothing loaded: Start can be chosen";
    player.soundLoaded = true;
    EXPECT_EQ(kUnchanged, SoundMenuAfterEdit(player.rules(), true)) << "a file loaded: as they were";
    player.soundList.clear();
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(player.rules(), true)) << "empty list, loaded or not";
    player.soundLoaded = false;
    EXPECT_EQ(kBothGrayed, SoundMenuAfterEdit(player.rules(), true));
    EXPECT_EQ(kUnchanged, SoundMenuAtStartUp(true));
}

}  // namespace
