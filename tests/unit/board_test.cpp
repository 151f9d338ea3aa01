// Tests of the board: the generator, dealing, cutting to whole cells and the solved test.
#include "game/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

Board MakeBoard(int columns, int rows) {
    Board board;
    board.columns = columns;
    board.rows = rows;
    return board;
}

std::vector<int> Arrangement(const Board& board) {
    return std::vector<int>(board.cellOrder, board.cellOrder + CellCount(board));
}

}  // namespace

TEST(Shuffle, FourByFourSeededWithOneGivesTheKnownDeal) {
    Lcg15 lcg;
    SeedLcg(lcg, 1);
    EXPECT_EQ(NextLcg(lcg), 41);

    Board board = MakeBoard(4, 4);
    DealCells(board, 1);
    const std::vector<int> expected = {12, 3, 13, 8, 5, 2, 11, 4, 14, 7, 9, 15, 6, 0, 10, 1};
    EXPECT_EQ(Arrangement(board), expected);
}

TEST(Shuffle, DivisorIs32767OverTheCellCountRoundedUp) {
    EXPECT_EQ(ShuffleDivisor(16), 2048);
    EXPECT_EQ(ShuffleDivisor(20), 1639);
    EXPECT_EQ(ShuffleDivisor(32), 1024);
    EXPECT_EQ(ShuffleDivisor(49), 669);
    EXPECT_EQ(ShuffleDivisor(100), 328);
}

// The largest draw must name the last cell at most, and the last cell must
// still be reachable, for every shape the difficulty dialog allows.
TEST(Shuffle, EveryBoardSizeDrawsEveryCellAndNothingBeyond) {
    for (int columns = kMinSide; columns <= kMaxSide; ++columns) {
        for (int rows = kMinSide; rows <= kMaxSide; ++rows) {
            const int count = columns * rows;
            const int divisor = ShuffleDivisor(count);
            EXPECT_EQ(32767 / divisor, count - 1) << columns << "x" << rows;
        }
    }
}

TEST(Shuffle, DealIsAPermutationAndLeavesCellsPastTheBoardAlone) {
    for (int columns = kMinSide; columns <= kMaxSide; ++columns) {
        for (int rows = kMinSide; rows <= kMaxSide; ++rows) {
            Board board = MakeBoard(columns, rows);
            const int count = CellCount(board);
            for (uint32_t seed = 0; seed < 200; ++seed) {
                // Something a larger board left behind, and an old arrangement
                // that the deal must start over from.
                for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = 1000 + i;
                DealCells(board, seed * 2654435761u);
                std::vector<int> cells = Arrangement(board);
                std::sort(cells.begin(), cells.end());
                for (int i = 0; i < count; ++i) ASSERT_EQ(cells[i], i) << columns << "x" << rows;
                for (int i = count; i < kMaxCellCount; ++i) ASSERT_EQ(board.cellOrder[i], 1000 + i);
            }
        }
    }
}

TEST(Shuffle, SameSecondSameCellCountSameDeal) {
    Board tall = MakeBoard(4, 5);
    Board wide = MakeBoard(5, 4);
    DealCells(tall, 1700000000u);
    DealCells(wide, 1700000000u);
    EXPECT_EQ(Arrangement(tall), Arrangement(wide));
}

TEST(CutToWholeCells, DropsTheStripRightOfAndBelowTheLastCell) {
    const ViewSize fourByFour = CutToWholeCells(643, 481, 4, 4);
    EXPECT_EQ(fourByFour.width, 640);
    EXPECT_EQ(fourByFour.height, 480);

    const ViewSize sevenByNine = CutToWholeCells(640, 480, 7, 9);
    EXPECT_EQ(sevenByNine.width, 637);   // 7 cells of 91
    EXPECT_EQ(sevenByNine.height, 477);  // 9 cells of 53
}

TEST(IsSolved, OnlyWhenEveryCellOfTheBoardHoldsItsOwnPiece) {
    Board board = MakeBoard(4, 4);
    for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = i;
    EXPECT_TRUE(IsSolved(board));

    std::swap(board.cellOrder[14], board.cellOrder[15]);
    EXPECT_FALSE(IsSolved(board));

    // Leftovers of a larger board past cell 15 do not count.
    std::swap(board.cellOrder[14], board.cellOrder[15]);
    board.cellOrder[16] = 99;
    board.cellOrder[99] = 16;
    EXPECT_TRUE(IsSolved(board));
}
