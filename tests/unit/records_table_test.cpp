// The Best Times dialog's rows: which entries show, how they sort, which is the player's.
#include "scores/records_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Names(const std::vector<RecordRow>& rows) {
    std::vector<std::string> names;
    for (const RecordRow& row : rows) names.push_back(row.name);
    return names;
}

class RecordsTableTest : public ::testing::Test {
  protected:
    RecordsTableTest() {
        table.difficult[SizeIndex(4, 4)] = {83, "Hanako"};
        table.difficult[SizeIndex(5, 4)] = {20, "Taro"};
        table.easy[SizeIndex(4, 5)] = {120, "Jiro"};
        table.easy[SizeIndex(10, 10)] = {5000, kNotRegistered};  // a record left unnamed
    }
    HighScoreTable table;
};

TEST_F(RecordsTableTest, OnlyEntriesHoldingARecordShowUnlessAllAreAskedFor) {
    const auto rows = ListRecords(table, RecordsShown::Recorded);
    EXPECT_EQ((std::vector<std::string>{"Jiro", kNotRegistered, "Hanako", "Taro"}), Names(rows));
    EXPECT_EQ(SizeIndex(4, 4), rows[2].slot.sizeIndex);
    EXPECT_EQ(4, rows[3].rows);
    EXPECT_EQ(5, rows[3].columns);

    const auto all = ListRecords(table, RecordsShown::All);
    ASSERT_EQ(98u, all.size());
    EXPECT_EQ(kDefaultBestSeconds, all[0].seconds);
    EXPECT_TRUE(all[0].slot.easyMode);
    EXPECT_FALSE(all[49].slot.easyMode);
    EXPECT_TRUE(ListRecords(HighScoreTable(), RecordsShown::Recorded).empty());
}

TEST_F(RecordsTableTest, AnyColumnSortsBothWaysAndTiesKeepTheTablesOrder) {
    auto rows = ListRecords(table, RecordsShown::Recorded);
    SortRecords(rows, RecordColumn::Time, SortOrder::Ascending);
    EXPECT_EQ((std::vector<std::string>{"Taro", "Hanako", "Jiro", kNotRegistered}), Names(rows));
    SortRecords(rows, RecordColumn::Name, SortOrder::Descending);
    EXPECT_EQ((std::vector<std::string>{"Taro", "Not regist", "Jiro", "Hanako"}), Names(rows));
    SortRecords(rows, RecordColumn::Size, SortOrder::Ascending);
    EXPECT_EQ((std::vector<std::string>{"Hanako", "Jiro", "Taro", kNotRegistered}), Names(rows))
        << "16 cells, then 20 cells of 4 columns before 20 of 5, then 100";
    SortRecords(rows, RecordColumn::Rule, SortOrder::Ascending);
    EXPECT_EQ((std::vector<std::string>{"Jiro", kNotRegistered, "Hanako", "Taro"}), Names(rows));
}

TEST_F(RecordsTableTest, AHeaderClickedTwiceTurnsTheOrderRound) {
    RecordSort sort;
    sort = NextSort(sort, RecordColumn::Time);
    EXPECT_EQ(RecordColumn::Time, sort.column);
    EXPECT_EQ(SortOrder::Ascending, sort.order);
    sort = NextSort(sort, RecordColumn::Time);
    EXPECT_EQ(SortOrder::Descending, sort.order);
    sort = NextSort(sort, RecordColumn::Name);
    EXPECT_EQ(SortOrder::Ascending, sort.order);
}

TEST_F(RecordsTableTest, ThePlayersRecordIsFoundWhereverTheSortPutIt) {
    auto rows = ListRecords(table, RecordsShown::Recorded);
    SortRecords(rows, RecordColumn::Time, SortOrder::Descending);
    EXPECT_EQ(std::optional<size_t>(2), FindRecord(rows, {false, SizeIndex(4, 4)}));
    EXPECT_FALSE(FindRecord(rows, {true, SizeIndex(4, 4)})) << "the same size in the other rule holds none";
}

TEST(RecordTimeTest, TimesReadAsTheRollWritesThem) {
    EXPECT_EQ("1 min 11 sec", FormatRecordTime(71));
    EXPECT_EQ("0 min 9 sec", FormatRecordTime(9));
    EXPECT_EQ("99 min 0 sec", FormatRecordTime(kDefaultBestSeconds));
}

}  // namespace
