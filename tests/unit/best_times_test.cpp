// Tests of the best-time tables: which entry a board uses and when a clear replaces it.
#include "scores/best_times.h"

#include <gtest/gtest.h>

#include <string>

TEST(HighScores, EntriesRunRowsThenColumns) {
    EXPECT_EQ(SizeIndex(4, 4), 0);
    EXPECT_EQ(SizeIndex(5, 4), 1);   // 5 columns x 4 rows
    EXPECT_EQ(SizeIndex(4, 5), 7);   // 4 columns x 5 rows
    EXPECT_EQ(SizeIndex(10, 4), 6);
    EXPECT_EQ(SizeIndex(10, 10), 48);
    for (int i = 0; i < kSizeCount; ++i) EXPECT_EQ(SizeIndex(SizeColumns(i), SizeRows(i)), i) << i;
}

TEST(HighScores, OnlyAStrictlyFasterClearReplacesATime) {
    HighScoreTable table;
    EXPECT_FALSE(RecordBestTime(table, true, 4, 4, 5941));
    EXPECT_FALSE(RecordBestTime(table, true, 4, 4, 5940));
    EXPECT_EQ(table.easy[0].seconds, 5940u);
    EXPECT_TRUE(RecordBestTime(table, true, 4, 4, 5939));
    EXPECT_EQ(table.easy[0].seconds, 5939u);
    EXPECT_FALSE(RecordBestTime(table, true, 4, 4, 5939));  // equalling a record
    EXPECT_TRUE(RecordBestTime(table, true, 4, 4, 100));
    EXPECT_EQ(table.easy[0].seconds, 100u);
}

TEST(HighScores, TimesCompareUnsigned) {
    HighScoreTable table;
    // A file that said SCORE=-1 is beaten by any clear, even a very slow one.
    table.easy[48].seconds = 0xFFFFFFFFu;
    EXPECT_TRUE(RecordBestTime(table, true, 10, 10, 3000000000u));
    EXPECT_EQ(table.easy[48].seconds, 3000000000u);
    // A file that said SCORE=0 can never be beaten.
    table.easy[48].seconds = 0;
    EXPECT_FALSE(RecordBestTime(table, true, 10, 10, 0));
}

TEST(HighScores, EasyAndDifficultAndEachSizeKeepTheirOwnRecord) {
    HighScoreTable table;
    std::string name = "Hanako";
    ASSERT_TRUE(RecordBestTime(table, true, 4, 5, 80));
    StoreBestName(table, true, 4, 5, name);
    ASSERT_TRUE(RecordBestTime(table, false, 4, 5, 90));
    name = "Taro";
    StoreBestName(table, false, 4, 5, name);

    EXPECT_EQ(table.easy[7].seconds, 80u);
    EXPECT_EQ(table.easy[7].name, "Hanako");
    EXPECT_EQ(table.difficult[7].seconds, 90u);
    EXPECT_EQ(table.difficult[7].name, "Taro");
    // The transposed board is a different entry.
    EXPECT_EQ(table.easy[1].seconds, 5940u);
    EXPECT_EQ(table.easy[1].name, "Not regist");
    EXPECT_EQ(table.difficult[1].seconds, 5940u);
}

TEST(HighScores, AnEmptyNameIsStoredAsNotRegistAndKeptForNextTime) {
    HighScoreTable table;
    table.difficult[3].name = "Somebody";
    std::string entered;
    StoreBestName(table, false, 7, 4, entered);
    EXPECT_EQ(table.difficult[3].name, "Not regist");
    EXPECT_EQ(entered, "Not regist");
}

TEST(HighScores, TheNameDialogOffersTheLastNameTypedButNotAnUnnamedRecord) {
    EXPECT_EQ(NameToOffer("花子"), "花子");
    EXPECT_EQ(NameToOffer(""), "");
    EXPECT_EQ(NameToOffer("Not regist"), "");
}

TEST(HighScores, ElapsedSecondsTruncateAndSurviveTheTickWrap) {
    EXPECT_EQ(ElapsedSeconds(1000, 60999), 59u);
    EXPECT_EQ(ElapsedSeconds(0xFFFFFC18u, 4999), 5u);
    EXPECT_EQ(ElapsedSeconds(7, 7), 0u);
}
