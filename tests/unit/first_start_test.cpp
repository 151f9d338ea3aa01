// The first start's play-lists from the demo folder.
#include "app/first_start.h"

#include <gtest/gtest.h>

namespace {

const std::string kFolder = "C:\\Games\\Kanoze\\demo\\";
constexpr ListFilesFound kBothMissing = {ListFileRead::Missing, ListFileRead::Missing};
const std::vector<std::string> kDemo = {"tune.wav", "sunset.bmp", "Mountains.JPG", "readme.txt", "flowers.gif"};

TEST(FirstStartTest, NoKanozeTxtAtAllTakesTheDemoPicturesAndTunesInNameOrder) {
    const DemoLists lists = FirstStartLists(kBothMissing, kFolder, kDemo);
    EXPECT_EQ((std::vector<std::string>{kFolder + "flowers.gif", kFolder + "Mountains.JPG", kFolder + "sunset.bmp"}),
              lists.pictures);
    EXPECT_EQ((std::vector<std::string>{kFolder + "tune.wav"}), lists.sounds);

    // The player's own sound.txt stays, even on a first start.
    EXPECT_TRUE(FirstStartLists({ListFileRead::Missing, ListFileRead::Read}, kFolder, kDemo).sounds.empty());
}

TEST(FirstStartTest, AnExistingKanozeTxtOrADemoFolderWithoutPicturesChangesNothing) {
    // Exists, even empty or unreadable: not a first start.
    DemoLists lists = FirstStartLists({ListFileRead::Read, ListFileRead::Missing}, kFolder, kDemo);
    EXPECT_TRUE(lists.pictures.empty());
    EXPECT_TRUE(lists.sounds.empty());
    // No pictures, no first start: tunes alone do not fill the sound list either.
    lists = FirstStartLists(kBothMissing, kFolder, {"tune.wav", "notes.txt", "bmp"});
    EXPECT_TRUE(lists.pictures.empty());
    EXPECT_TRUE(lists.sounds.empty());
    EXPECT_TRUE(FirstStartLists(kBothMissing, kFolder, {}).pictures.empty());
}

}  // namespace
