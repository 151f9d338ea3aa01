// The play-list walk the pictures and the music share: what is taken next,
// what is dropped, what is kept.
#include "storage/play_list_walk.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using List = std::vector<std::string>;

// Tries entries as a loader would: every entry is taken unless `outcomes` says otherwise.
struct FakeLoader {
    std::map<std::string, EntryTry> outcomes;
    List tried;

    PlayListWalk Walk(List& list, int start) {
        return WalkEntries(list, start, [this](const std::string& entry) {
            tried.push_back(entry);
            const auto found = outcomes.find(entry);
            return found == outcomes.end() ? EntryTry::Taken : found->second;
        });
    }
};

TEST(PlayListWalk, BadFilesGoBusyFilesStayAndTheCursorFollowsTheTakenEntry) {
    FakeLoader loader;
    loader.outcomes = {{"gone.bmp", EntryTry::Never}, {"held.jpg", EntryTry::NotNow}, {"text.gif", EntryTry::Never}};
    List list = {"a.bmp", "gone.bmp", "held.jpg", "text.gif", "c.bmp"};

    const PlayListWalk walk = loader.Walk(list, 1);
    EXPECT_EQ(WalkEnd::Taken, walk.end);
    EXPECT_EQ(List({"gone.bmp", "held.jpg", "text.gif", "c.bmp"}), loader.tried);
    EXPECT_EQ(List({"a.bmp", "held.jpg", "c.bmp"}), list);
    EXPECT_EQ(2, walk.cursor) << "c.bmp, moved up past the dropped entries";
}

TEST(PlayListWalk, TheWalkWrapsAndTriesEachEntryOnceWhenNoneIsTaken) {
    FakeLoader loader;
    loader.outcomes = {{"a.bmp", EntryTry::NotNow}, {"b.bmp", EntryTry::Never}, {"c.bmp", EntryTry::NotNow}};
    List list = {"a.bmp", "b.bmp", "c.bmp"};

    const PlayListWalk walk = loader.Walk(list, 7);  // past the end: from the first
    EXPECT_EQ(WalkEnd::AllTried, walk.end);
    EXPECT_EQ(List({"a.bmp", "b.bmp", "c.bmp"}), loader.tried);
    EXPECT_EQ(List({"a.bmp", "c.bmp"}), list) << "only the bad file is dropped";
    EXPECT_EQ(0, walk.cursor);

    loader.outcomes.erase("c.bmp");  // let go by the program that held it
    loader.tried.clear();
    const PlayListWalk again = loader.Walk(list, 1);
    EXPECT_EQ(WalkEnd::Taken, again.end);
    EXPECT_EQ(1, again.cursor);
    EXPECT_EQ(List({"c.bmp"}), loader.tried);
}

TEST(PlayListWalk, EveryEntryBadEmptiesTheListAndAnEmptyListTriesNothing) {
    FakeLoader loader;
    List list(1000, "gone.bmp");
    loader.outcomes = {{"gone.bmp", EntryTry::Never}};
    const PlayListWalk walk = loader.Walk(list, 500);
    EXPECT_EQ(WalkEnd::AllTried, walk.end);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0, walk.cursor);
    EXPECT_EQ(1000u, loader.tried.size());

    loader.tried.clear();
    EXPECT_EQ(WalkEnd::AllTried, loader.Walk(list, 0).end);
    EXPECT_TRUE(loader.tried.empty());
}

TEST(PlayListWalk, AnEntryThatStopsTheWalkIsKeptAndTheBadOnesBeforeItStillGo) {
    FakeLoader loader;
    loader.outcomes = {{"gone.wav", EntryTry::Never}, {"device.wav", EntryTry::StopHere}};
    List list = {"a.wav", "gone.wav", "device.wav", "c.wav"};

    const PlayListWalk walk = loader.Walk(list, 1);
    EXPECT_EQ(WalkEnd::Stopped, walk.end);
    EXPECT_EQ(List({"gone.wav", "device.wav"}), loader.tried) << "nothing after it is tried";
    EXPECT_EQ(List({"a.wav", "device.wav", "c.wav"}), list);
    EXPECT_EQ(1, walk.cursor) << "device.wav, to be tried first next time";
}

}  // namespace
