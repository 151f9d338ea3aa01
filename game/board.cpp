// The puzzle board: generator, dealing, cutting to whole cells, solved test.
#include "game/board.h"

void SeedLcg(Lcg15& lcg, uint32_t seed) { lcg.state = seed; }

int NextLcg(Lcg15& lcg) {
    lcg.state = lcg.state * 214013u + 2531011u;
    return static_cast<int>((lcg.state >> 16) & 0x7FFFu);
}

int CellCount(const Board& board) { return board.columns * board.rows; }

int ShuffleDivisor(int cellCount) { return (cellCount + 32766) / cellCount; }

void DealCells(Board& board, uint32_t seed) {
    const int count = CellCount(board);
    for (int i = 0; i < count; ++i) board.cellOrder[i] = i;
    Lcg15 lcg;
    SeedLcg(lcg, seed);
    const int divisor = ShuffleDivisor(count);
    for (int n = 0; n < kShuffleExchanges; ++n) {
        const int a = NextLcg(lcg) / divisor;
        const int b = NextLcg(lcg) / divisor;
        const int piece = board.cellOrder[a];
        board.cellOrder[a] = board.cellOrder[b];
        board.cellOrder[b] = piece;
    }
}

ViewSize CellSizeOf(int viewWidth, int viewHeight, int columns, int rows) {
    return ViewSize{viewWidth / columns, viewHeight / rows};
}

ViewSize CutToWholeCells(int pictureWidth, int pictureHeight, int columns, int rows) {
    const ViewSize cell = CellSizeOf(pictureWidth, pictureHeight, columns, rows);
    return ViewSize{cell.width * columns, cell.height * rows};
}

bool IsSolved(const Board& board) {
    const int count = CellCount(board);
    for (int i = 0; i < count; ++i) {
        if (board.cellOrder[i] != i) return false;
    }
    return true;
}
