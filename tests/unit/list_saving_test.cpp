// Tests of what a save of kanoze.txt writes when the file on disk may have
// changed, or could not be read, since the program read it.
#include "storage/list_saving.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/list_file.h"

namespace {

const std::vector<std::string> kList = {"C:\\pics\\cat.bmp", "C:\\pics\\dog.jpg"};

}  // namespace

TEST(ListSaving, AFileUntouchedSinceStartUpGetsExactlyTheWritersBytes) {
    HighScoreTable stored;
    stored.easy[3].seconds = 80;
    stored.easy[3].name = "Hanako";
    stored.difficult[0].seconds = 0xFFFFFFFFu;  // "-1": any clear beats it
    const std::string file = FormatImageListFile(kList, stored);

    // This run read that file, then made two records and edited the list.
    ListFileContent read = ParseListFile(file, HighScoreTable());
    HighScoreTable& table = read.table;
    std::vector<std::string>& list = read.entries;
    ASSERT_TRUE(RecordBestTime(table, true, 4, 4, 70));
    table.easy[0].name = "Taro";
    ASSERT_TRUE(RecordBestTime(table, false, 4, 4, 5000));
    table.difficult[0].name = "Jiro";
    list.push_back("C:\\pics\\owl.gif");

    const HighScoreTable expected = table;
    EXPECT_EQ(ComposeImageListSave(file, list, SavedList::Given, table).bytes, FormatImageListFile(list, expected));
}

TEST(ListSaving, BestTimesTheFileGotMeanwhileSurviveAndTheBetterOfEachEntryIsKept) {
    // The file could not be read at start-up: the run began with the defaults.
    HighScoreTable stored;
    stored.easy[0].seconds = 90;
    stored.easy[0].name = "Hanako";
    stored.easy[1].seconds = 50;
    stored.easy[1].name = "Kept";
    stored.difficult[48].seconds = 10;
    stored.difficult[48].name = "Fast";
    const std::string file = FormatImageListFile(kList, stored);

    HighScoreTable table;
    table.easy[0].seconds = 89;  // strictly better: this run's record wins
    table.easy[0].name = "Taro";
    table.easy[1].seconds = 50;  // equal: the stored entry stays
    table.easy[1].name = "Other";
    table.difficult[48].seconds = 11;

    const ImageListSave save = ComposeImageListSave(file, {}, SavedList::Given, table);
    const ListFileContent saved = ParseListFile(save.bytes, HighScoreTable());
    const HighScoreTable& reread = saved.table;
    EXPECT_TRUE(saved.entries.empty()) << "the list the player confirmed";
    EXPECT_EQ(reread.easy[0].seconds, 89u);
    EXPECT_EQ(reread.easy[0].name, "Taro");
    EXPECT_EQ(reread.easy[1].name, "Kept");
    EXPECT_EQ(reread.difficult[48].seconds, 10u);
    EXPECT_EQ(reread.difficult[48].name, "Fast");
    EXPECT_EQ(save.bestTimes.difficult[48].name, "Fast") << "the run now knows the stored record too";
}

TEST(ListSaving, ARecordOfASingleFileKeepsTheFilesListAndAMissingFileTakesTheRunsList) {
    HighScoreTable table;
    table.easy[0].seconds = 60;
    const std::string file = FormatImageListFile(kList, HighScoreTable());
    const ListFileContent reread =
        ParseListFile(ComposeImageListSave(file, {}, SavedList::FileOwn, table).bytes, HighScoreTable());
    EXPECT_EQ(reread.entries, kList);
    EXPECT_EQ(reread.table.easy[0].seconds, 60u);

    // A hand-written file without best times, or none at all.
    EXPECT_EQ(ComposeImageListSave("#FILE\nC:\\a.bmp\n#FILE_END\n", kList, SavedList::FileOwn, table).bytes,
              FormatImageListFile({"C:\\a.bmp"}, table));
    EXPECT_EQ(ComposeImageListSave("", kList, SavedList::Given, table).bytes, FormatImageListFile(kList, table));
}

TEST(ListSaving, OnlyThePlayersListOrAWaitingBestTimeIsWritten) {
    ListFiles files;
    files.imageListKnown = false;  // kanoze.txt was held by another program at start-up
    EXPECT_FALSE(ImageListSaveWanted(files, SavedList::Given)) << "an exit leaves the file alone";
    files.recordsPending = true;
    EXPECT_TRUE(ImageListSaveWanted(files, SavedList::FileOwn)) << "a best time is not dropped";
    files.recordsPending = false;
    files.imageListKnown = true;
    EXPECT_TRUE(ImageListSaveWanted(files, SavedList::Given));
    EXPECT_FALSE(ImageListSaveWanted(files, SavedList::FileOwn)) << "a single picture's exit writes nothing";
}
