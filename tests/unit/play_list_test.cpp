// The picture play-list's walk: what is shown next, what is dropped, what is kept.
#include "pictures/play_list.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using List = std::vector<std::string>;

// Tries entries as the loader would: every entry loads unless `outcomes` says otherwise.
struct FakeLoader {
    std::map<std::string, LoadOutcome> outcomes;
    List tried;

    PlayListStep Walk(List& list, int start) {
        return WalkPlayList(list, start, [this](const std::string& entry) {
            tried.push_back(entry);
            const auto found = outcomes.find(entry);
            return found == outcomes.end() ? LoadOutcome::Loaded : found->second;
        });
    }
};

TEST(PlayList, BadFilesGoBusyFilesStayAndTheCursorFollowsTheShownPicture) {
    FakeLoader loader;
    loader.outcomes = {{"gone.bmp", LoadOutcome::BadFile}, {"held.jpg", LoadOutcome::NotNow},
                       {"text.gif", LoadOutcome::BadFile}};
    List list = {"a.bmp", "gone.bmp", "held.jpg", "text.gif", "c.bmp"};

    const PlayListStep step = loader.Walk(list, 1);
    EXPECT_TRUE(step.loaded);
    EXPECT_EQ(List({"gone.bmp", "held.jpg", "text.gif", "c.bmp"}), loader.tried);
    EXPECT_EQ(List({"a.bmp", "held.jpg", "c.bmp"}), list);
    EXPECT_EQ(2, step.cursor) << "c.bmp, moved up past the dropped entries";
}

TEST(PlayList, TheWalkWrapsAndTriesEachEntryOnceWhenNoneLoads) {
    FakeLoader loader;
    loader.outcomes = {{"a.bmp", LoadOutcome::NotNow}, {"b.bmp", LoadOutcome::BadFile},
                       {"c.bmp", LoadOutcome::NotNow}};
    List list = {"a.bmp", "b.bmp", "c.bmp"};

    const PlayListStep step = loader.Walk(list, 7);  // past the end: from the first
    EXPECT_FALSE(step.loaded);
    EXPECT_EQ(List({"a.bmp", "b.bmp", "c.bmp"}), loader.tried);
    EXPECT_EQ(List({"a.bmp", "c.bmp"}), list) << "only the bad file is dropped";
    EXPECT_EQ(0, step.cursor);

    loader.outcomes.erase("c.bmp");  // let go by the program that held it
    loader.tried.clear();
    const PlayListStep again = loader.Walk(list, 1);
    EXPECT_TRUE(again.loaded);
    EXPECT_EQ(1, again.cursor);
    EXPECT_EQ(List({"c.bmp"}), loader.tried);
}

TEST(PlayList, EveryEntryBadEmptiesTheListAndAnEmptyListTriesNothing) {
    FakeLoader loader;
    List list(1000, "gone.bmp");
    loader.outcomes = {{"gone.bmp", LoadOutcome::BadFile}};
    const PlayListStep step = loader.Walk(list, 500);
    EXPECT_FALSE(step.loaded);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(0, step.cursor);
    EXPECT_EQ(1000u, loader.tried.size());

    loader.tried.clear();
    EXPECT_FALSE(loader.Walk(list, 0).loaded);
    EXPECT_TRUE(loader.tried.empty());
}

}  // namespace
