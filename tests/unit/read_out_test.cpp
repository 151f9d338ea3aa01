// The read-out's text in both languages, its status, and the count of pieces home.
#include "game/read_out.h"

#include <gtest/gtest.h>

#include <utility>

#include "game/board.h"

namespace {

const ReadOutWords kJapanese = {
    L"\u3000", L"{n}\u624B", L"{n}\u624B", L"\u203B", L"\u4E00\u6642\u505C\u6B62\u4E2D", L"\u518D\u958B"};
const ReadOutWords kEnglish = {L"  ", L"{n} swaps", L"{n} swap", L"(unranked)", L"Paused", L"resumed"};

ReadOutFacts Facts(uint32_t playedMs, int exchanges, int home, int cells) {
    ReadOutFacts facts;
    facts.playedMs = playedMs;
    facts.exchanges = exchanges;
    facts.piecesHome = home;
    facts.cellCount = cells;
    return facts;
}

}  // namespace

TEST(ReadOut, TimeExchangesAndPiecesHomeInEitherLanguage) {
    const ReadOutFacts facts = Facts(83999, 12, 9, 16);
    EXPECT_EQ(L"1:23\u300012\u624B\u30009/16", ReadOutText(facts, kJapanese));
    EXPECT_EQ(L"1:23  12 swaps  9/16", ReadOutText(facts, kEnglish));
    EXPECT_EQ(L"0:00  1 swap  0/100", ReadOutText(Facts(999, 1, 0, 100), kEnglish)) << "one swap, whole seconds";
    EXPECT_EQ(L"0:00  0 swaps  16/16", ReadOutText(Facts(0, 0, 16, 16), kEnglish));
}

TEST(ReadOut, AnHourOrMoreShowsHoursMinutesAndSeconds) {
    EXPECT_EQ(L"59:59", PlayedTimeText(3599999));
    EXPECT_EQ(L"1:00:00", PlayedTimeText(3600000));
    EXPECT_EQ(L"1:02:05", PlayedTimeText((3600 + 125) * 1000));
    EXPECT_EQ(L"596:31:23", PlayedTimeText(kMaxPlayedMs)) << "the longest game a clock can hold";
}

TEST(ReadOut, UnrankedDealsPausesAndResumedGamesAreMarkedAfterTheCounts) {
    ReadOutFacts facts = Facts(5000, 3, 4, 16);
    facts.rank = DealRank::Unranked;
    EXPECT_EQ(L"0:05  3 swaps  4/16  (unranked)", ReadOutText(facts, kEnglish));
    facts.status = ReadOutStatus::Paused;
    EXPECT_EQ(L"0:05\u30003\u624B\u30004/16\u3000\u203B\u3000\u4E00\u6642\u505C\u6B62\u4E2D",
              ReadOutText(facts, kJapanese));
    facts.rank = DealRank::Ranked;
    facts.status = ReadOutStatus::Resumed;
    EXPECT_EQ(L"0:05  3 swaps  4/16  resumed", ReadOutText(facts, kEnglish));
}

TEST(ReadOut, ResumedShowsForTheFirstSecondsPlayedAfterASavedGameCameBackAndPausedWins) {
    Play play;
    StartPlay(play);
    ContinuePlay(play, 60000, 1000);  // a minute played before
    EXPECT_EQ(ReadOutStatus::Running, ReadOutStatusOf(play, std::nullopt, 1000)) << "a game started here";
    EXPECT_EQ(ReadOutStatus::Resumed, ReadOutStatusOf(play, 60000u, 1000 + kResumedShowMs - 1));
    EXPECT_EQ(ReadOutStatus::Running, ReadOutStatusOf(play, 60000u, 1000 + kResumedShowMs));

    // Taken up paused: the seconds count once the player is back.
    Play away;
    StartPlay(away);
    ContinuePlay(away, 60000, 1000);
    PausePlay(away, PauseReason::Away, 1000);
    EXPECT_EQ(ReadOutStatus::Paused, ReadOutStatusOf(away, 60000u, 20000));
    ResumePlay(away, PauseReason::Away, 20000);
    EXPECT_EQ(ReadOutStatus::Resumed, ReadOutStatusOf(away, 60000u, 21000));
}

TEST(ReadOut, PiecesHomeCountsLookAlikesAsHome) {
    Board board;
    for (int cell = 0; cell < 16; ++cell) board.cellOrder[cell] = cell;
    EXPECT_EQ(16, PiecesHome(board));
    std::swap(board.cellOrder[0], board.cellOrder[1]);
    std::swap(board.cellOrder[2], board.cellOrder[3]);
    EXPECT_EQ(12, PiecesHome(board));
    board.lookAlike[0][1] = board.lookAlike[1][0] = true;  // a plain sky
    EXPECT_EQ(14, PiecesHome(board)) << "either sky piece is at home in the other's cell";
}
