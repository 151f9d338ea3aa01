// Tests of the board: the generator, dealing, cutting to whole cells and the solved test.
#include "game/board.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/shuffle_draws.h"

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

TEST(RankedDeal, OnlyADealWithThreeQuartersOfItsPiecesAwayCanSetABestTime) {
    Board board = MakeBoard(4, 4);
    for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = i;
    // Twelve of sixteen away: three rotations of four cells.
    for (int start : {0, 4, 8})
        std::rotate(board.cellOrder + start, board.cellOrder + start + 1, board.cellOrder + start + 4);
    EXPECT_TRUE(IsRankedDeal(board));
    std::swap(board.cellOrder[8], board.cellOrder[9]);  // piece 9 home again, eleven away
    EXPECT_FALSE(IsRankedDeal(board));

    // A plain picture: every piece looks like every other one, so the deal
    // lies solved whatever it is, and no time made on it can be a record.
    DealCells(board, 7);
    EXPECT_TRUE(IsRankedDeal(board));
    for (auto& alike : board.lookAlike) alike.set();
    EXPECT_TRUE(IsSolved(board));
    EXPECT_FALSE(IsRankedDeal(board));
}

namespace {

// A 4 x 4 picture of 8 x 8 pixel pieces, each a plain colour of its own but
// piece 5, which is piece 0's colour with `change` added to one pixel's green.
struct PlainPieces {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(32 * 32 * 4);

    explicit PlainPieces(int change) {
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int piece = (y / 8) * 4 + x / 8;
                const int colour = piece == 5 ? 0 : piece;
                uint8_t* p = &pixels[(y * 32 + x) * 4];
                p[0] = static_cast<uint8_t>(100 + colour * 9);
                p[1] = 120;
                p[2] = static_cast<uint8_t>(200 - colour * 9);
                p[3] = static_cast<uint8_t>(y * 7 + x);  // the unused byte never counts
            }
        }
        pixels[((8 + 3) * 32 + 8 + 4) * 4 + 1] = static_cast<uint8_t>(120 + change);
    }
    PixelRows Rows() const { return {pixels.data(), 32 * 4, 32, 32}; }
};

}  // namespace

TEST(LookAlike, PiecesWithinEightLevelsEverywhereAreAtHomeInEachOthersCell) {
    Board board = MakeBoard(4, 4);
    FindLookAlikePieces(board, PlainPieces(8).Rows(), 8, 8);
    EXPECT_TRUE(LooksLike(board, 5, 0));
    EXPECT_TRUE(LooksLike(board, 0, 5));
    EXPECT_FALSE(LooksLike(board, 1, 0)) << "9 levels apart in two channels";
    FindLookAlikePieces(board, PlainPieces(-8).Rows(), 8, 8);
    EXPECT_TRUE(LooksLike(board, 5, 0)) << "8 levels darker";
    FindLookAlikePieces(board, PlainPieces(8).Rows(), 8, 8);
    for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = i;
    std::swap(board.cellOrder[0], board.cellOrder[5]);
    EXPECT_TRUE(IsSolved(board));
    std::swap(board.cellOrder[0], board.cellOrder[1]);  // piece 1 in cell 0, piece 0 in cell 1
    EXPECT_FALSE(IsSolved(board));
}

TEST(LookAlike, OnePixelNineLevelsOffTellsThePiecesApart) {
    Board board = MakeBoard(4, 4);
    FindLookAlikePieces(board, PlainPieces(9).Rows(), 8, 8);
    EXPECT_FALSE(LooksLike(board, 5, 0));
    FindLookAlikePieces(board, PlainPieces(-9).Rows(), 8, 8);
    EXPECT_FALSE(LooksLike(board, 5, 0)) << "9 levels darker";
    for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = i;
    std::swap(board.cellOrder[0], board.cellOrder[5]);
    EXPECT_FALSE(IsSolved(board));

    // A bottom-up picture (negative stride) is read the same way.
    const PlainPieces eight(8);
    std::vector<uint8_t> flipped(eight.pixels.size());
    for (int y = 0; y < 32; ++y) std::copy_n(&eight.pixels[y * 128], 128, &flipped[(31 - y) * 128]);
    FindLookAlikePieces(board, {&flipped[31 * 128], -128, 32, 32}, 8, 8);
    EXPECT_TRUE(LooksLike(board, 5, 0));
    // Cells larger than the picture find nothing.
    FindLookAlikePieces(board, eight.Rows(), 9, 8);
    EXPECT_FALSE(LooksLike(board, 5, 0));
    // Rows the picture lacks (a failed copy of its bits leaves them blank) are no plain sky.
    const std::vector<uint8_t> blank(32 * 32 * 4);
    for (int height : {0, 31}) {
        FindLookAlikePieces(board, {blank.data(), 128, 32, height}, 8, 8);
        EXPECT_FALSE(LooksLike(board, 1, 0)) << height << " rows";
    }
}
