// The history file's lines, the damaged ones it skips, and its sums per board.
#include "scores/history.h"

#include <gtest/gtest.h>

#include <string>

namespace {

FinishedGame Game(int columns, int rows, bool easy, uint32_t seconds, Ranking ranking = Ranking::Ranked) {
    return {{2026, 12, 8, 14, 3, 22}, columns, rows, easy, seconds, ranking, "pic.bmp"};
}

const std::string kGoodLine = "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t83\tranked\tpic.bmp";

TEST(HistoryTest, AGameIsOneLineOfEightFieldsAndReadsBackAsItWas) {
    FinishedGame game = Game(4, 5, false, 83);
    EXPECT_EQ(kGoodLine + "\r\n", FormatHistoryLine(game));

    game = {{1999, 1, 2, 3, 4, 5}, 10, 9, true, 5939, Ranking::Unranked, "demo\\\x83\x5C.jpg"};
    const auto back = ParseHistoryLine(FormatHistoryLine(game));
    ASSERT_TRUE(back);
    EXPECT_EQ("1\t1999-01-02 03:04:05\t10\t9\teasy\t5939\tunranked\tdemo\\\x83\x5C.jpg\r\n", FormatHistoryLine(*back));
    EXPECT_EQ(Ranking::Unranked, back->ranking);
    EXPECT_TRUE(back->easyMode);
}

TEST(HistoryTest, ATabOrLineBreakInThePictureNameCannotSplitTheLine) {
    FinishedGame game = Game(4, 4, false, 1);
    game.picture = "a\tb\r\nc";
    const auto back = ParseHistoryLine(FormatHistoryLine(game));
    ASSERT_TRUE(back);
    EXPECT_EQ("a b  c", back->picture);
}

TEST(HistoryTest, DamagedLinesAreSkipped) {
    const char* damaged[] = {
        "",
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t83\tranked",              // a field short
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t83\tranked\tpic.bmp\tx",  // one too many
        "2\t2026-12-08 14:03:22\t4\t5\tdifficult\t83\tranked\tpic.bmp",     // another format
        "1\t2026-13-08 14:03:22\t4\t5\tdifficult\t83\tranked\tpic.bmp",     // month 13
        "1\t2026-12-08T14:03:22\t4\t5\tdifficult\t83\tranked\tpic.bmp",     // not the date's shape
        "1\t2026-12-08 14:03:22\t3\t5\tdifficult\t83\tranked\tpic.bmp",     // a side below 4
        "1\t2026-12-08 14:03:22\t4\t11\tdifficult\t83\tranked\tpic.bmp",    // a side above 10
        "1\t2026-12-08 14:03:22\t4\t5\thard\t83\tranked\tpic.bmp",          // no rule
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t-83\tranked\tpic.bmp",    // a sign
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t99999999999\tranked\tx",  // past the clock
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t 83\tranked\tpic.bmp",    // a blank
        "1\t2026-12-08 14:03:22\t4\t5\tdifficult\t83\tmaybe\tpic.bmp",      // neither ranked nor not
    };
    for (const char* line : damaged) EXPECT_FALSE(ParseHistoryLine(line)) << line;
    const std::string overlong = kGoodLine + std::string(kMaxHistoryLine, 'x');
    EXPECT_FALSE(ParseHistoryLine(overlong));
    EXPECT_TRUE(ParseHistoryLine(kGoodLine + "\n"));
}

TEST(HistoryTest, AFileKeepsItsGoodLinesAroundDamageAndATailDropsItsCutFirstLine) {
    const std::string file = kGoodLine + "\r\n" + "garbage\r\n" + std::string(5000, '\t') + "\n" +
                             "1\t2026-12-09 08:00:00\t6\t4\teasy\t7\tunranked\tb.jpg";  // no final break
    const auto games = ParseHistory(file, HistoryBytes::WholeFile);
    ASSERT_EQ(2u, games.size());
    EXPECT_EQ(83u, games[0].seconds);
    EXPECT_EQ(7u, games[1].seconds);
    EXPECT_EQ("b.jpg", games[1].picture);

    EXPECT_EQ(1u, ParseHistory(file, HistoryBytes::Tail).size()) << "the first line may be a cut one";
    EXPECT_TRUE(ParseHistory("", HistoryBytes::WholeFile).empty());
    EXPECT_TRUE(ParseHistory(kGoodLine, HistoryBytes::Tail).empty());
}

TEST(HistoryTest, EachSizeAndRuleAddsUpItsOwnGamesEasyFirst) {
    const std::vector<FinishedGame> games = {
        Game(4, 4, false, 90), Game(5, 4, false, 40), Game(4, 4, false, 61, Ranking::Unranked),
        Game(4, 4, true, 30),  Game(4, 4, false, 70), Game(4, 5, false, 12),
    };
    const auto sums = SummariseHistory(games);
    ASSERT_EQ(4u, sums.size());
    EXPECT_TRUE(sums[0].easyMode);
    EXPECT_EQ(1, sums[0].games);
    EXPECT_EQ(30u, sums[0].averageSeconds);

    const HistorySummary& fourByFour = sums[1];
    EXPECT_FALSE(fourByFour.easyMode);
    EXPECT_EQ(4, fourByFour.columns);
    EXPECT_EQ(4, fourByFour.rows);
    EXPECT_EQ(3, fourByFour.games) << "unranked games were finished too";
    EXPECT_EQ(61u, fourByFour.bestSeconds);
    EXPECT_EQ(74u, fourByFour.averageSeconds) << "221 / 3 rounded";
    EXPECT_EQ(70u, fourByFour.lastSeconds);

    EXPECT_EQ(5, sums[2].columns) << "5 x 4 comes before 4 x 5, as in the best-time table";
    EXPECT_EQ(5, sums[3].rows);
    EXPECT_TRUE(SummariseHistory({}).empty());
}

}  // namespace
