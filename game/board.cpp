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

bool LooksLike(const Board& board, int piece, int cell) {
    return piece == cell || board.lookAlike[piece][static_cast<size_t>(cell)];
}

bool IsSolved(const Board& board) {
    const int count = CellCount(board);
    for (int i = 0; i < count; ++i) {
        if (!LooksLike(board, board.cellOrder[i], i)) return false;
    }
    return true;
}

namespace {

struct PieceArea {
    const PixelRows& picture;
    int cellWidth, cellHeight, columns;

    const uint8_t* Row(int piece, int y) const {
        const int left = (piece % columns) * cellWidth, top = (piece / columns) * cellHeight;
        return picture.top + (top + y) * picture.stride + static_cast<ptrdiff_t>(left) * 4;
    }
};

bool WithinTolerance(const PieceArea& area, int a, int b) {
    for (int y = 0; y < area.cellHeight; ++y) {
        const uint8_t* p = area.Row(a, y);
        const uint8_t* q = area.Row(b, y);
        for (int x = 0; x < area.cellWidth * 4; ++x) {
            if ((x & 3) == 3) continue;  // the unused byte
            const int difference = p[x] - q[x];
            if (difference > kLookAlikeTolerance || difference < -kLookAlikeTolerance) return false;
        }
    }
    return true;
}

}  // namespace

void FindLookAlikePieces(Board& board, const PixelRows& picture, int cellWidth, int cellHeight) {
    for (auto& alike : board.lookAlike) alike.reset();
    const int count = CellCount(board);
    if (cellWidth <= 0 || cellHeight <= 0 || cellWidth * board.columns > picture.width ||
        cellHeight * board.rows > picture.height) {
        return;
    }
    const PieceArea area = {picture, cellWidth, cellHeight, board.columns};
    // Sums per channel: pieces whose pixels are all within the tolerance have
    // sums within the tolerance times the pixel count, so most pairs are told
    // apart without a look at their pixels.
    int64_t sums[kMaxCellCount][3] = {};
    for (int piece = 0; piece < count; ++piece) {
        for (int y = 0; y < cellHeight; ++y) {
            const uint8_t* row = area.Row(piece, y);
            for (int x = 0; x < cellWidth; ++x) {
                for (int c = 0; c < 3; ++c) sums[piece][c] += row[x * 4 + c];
            }
        }
    }
    const int64_t allowance = int64_t{kLookAlikeTolerance} * cellWidth * cellHeight;
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            bool close = true;
            for (int c = 0; c < 3 && close; ++c) {
                const int64_t difference = sums[a][c] - sums[b][c];
                close = difference <= allowance && difference >= -allowance;
            }
            if (!close || !WithinTolerance(area, a, b)) continue;
            board.lookAlike[a][static_cast<size_t>(b)] = true;
            board.lookAlike[b][static_cast<size_t>(a)] = true;
        }
    }
}
