// Tests of what a save of kanoze.txt writes when the file on disk may have
// changed, or could not be read, since the program read it.
#include "storage/list_saving.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "storage/list_file.h"

namespace {

std::unique_ptr<HighScoreTable> Defaults() {
    auto table = std::make_unique<HighScoreTable>();
    ResetHighScores(*table);
    return table;
}

const std::vector<std::string> kList = {"C:\\pics\\cat.bmp", "C:\\pics\\dog.jpg"};

}  // namespace

TEST(ListSaving, AFileUntouchedSinceStartUpGetsExactlyTheWritersBytes) {
    auto stored = Defaults();
    stored->easyBestSeconds[3] = 80;
    stored->easyNames[3] = "Hanako";
    stored->difficultBestSeconds[0] = 0xFFFFFFFFu;  // "-1": any clear beats it
    const std::string file = FormatImageListFile(kList, *stored);

    // This run read that file, then made two records and edited the list.
    auto table = Defaults();
    std::vector<std::string> list;
    ParseListFile(file, list, *table);
    ASSERT_TRUE(RecordBestTime(*table, true, 4, 4, 70));
    table->easyNames[0] = "Taro";
    ASSERT_TRUE(RecordBestTime(*table, false, 4, 4, 5000));
    table->difficultNames[0] = "Jiro";
    list.push_back("C:\\pics\\owl.gif");

    const auto expected = std::make_unique<HighScoreTable>(*table);
    EXPECT_EQ(ComposeImageListSave(file, list, SavedList::Given, *table).bytes, FormatImageListFile(list, *expected));
}

TEST(ListSaving, BestTimesTheFileGotMeanwhileSurviveAndTheBetterOfEachEntryIsKept) {
    // The file could not be read at start-up: the run began with the defaults.
    auto stored = Defaults();
    stored->easyBestSeconds[0] = 90;
    stored->easyNames[0] = "Hanako";
    stored->easyBestSeconds[1] = 50;
    stored->easyNames[1] = "Kept";
    stored->difficultBestSeconds[48] = 10;
    stored->difficultNames[48] = "Fast";
    const std::string file = FormatImageListFile(kList, *stored);

    auto table = Defaults();
    table->easyBestSeconds[0] = 89;  // strictly better: this run's record wins
    table->easyNames[0] = "Taro";
    table->easyBestSeconds[1] = 50;  // equal: the stored entry stays
    table->easyNames[1] = "Other";
    table->difficultBestSeconds[48] = 11;

    const auto save = std::make_unique<ImageListSave>(ComposeImageListSave(file, {}, SavedList::Given, *table));
    std::vector<std::string> list;
    auto reread = Defaults();
    ParseListFile(save->bytes, list, *reread);
    EXPECT_TRUE(list.empty()) << "the list the player confirmed";
    EXPECT_EQ(reread->easyBestSeconds[0], 89u);
    EXPECT_EQ(reread->easyNames[0], "Taro");
    EXPECT_EQ(reread->easyNames[1], "Kept");
    EXPECT_EQ(reread->difficultBestSeconds[48], 10u);
    EXPECT_EQ(reread->difficultNames[48], "Fast");
    EXPECT_EQ(save->bestTimes.difficultNames[48], "Fast") << "the run now knows the stored record too";
}

TEST(ListSaving, ARecordOfASingleFileKeepsTheFilesListAndAMissingFileTakesTheRunsList) {
    auto table = Defaults();
    table->easyBestSeconds[0] = 60;
    const std::string file = FormatImageListFile(kList, *Defaults());
    std::vector<std::string> list;
    auto reread = Defaults();
    ParseListFile(ComposeImageListSave(file, {}, SavedList::FileOwn, *table).bytes, list, *reread);
    EXPECT_EQ(list, kList);
    EXPECT_EQ(reread->easyBestSeconds[0], 60u);

    // A hand-written file without best times, or none at all.
    EXPECT_EQ(ComposeImageListSave("#FILE\nC:\\a.bmp\n#FILE_END\n", kList, SavedList::FileOwn, *table).bytes,
              FormatImageListFile({"C:\\a.bmp"}, *table));
    EXPECT_EQ(ComposeImageListSave("", kList, SavedList::Given, *table).bytes, FormatImageListFile(kList, *table));
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

