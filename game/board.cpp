// The puzzle board: generator, dealing, cutting to whole cells, solved test.
#include "game/board.h"

#include "game/shuffle_draws.h"

namespace {

constexpr int kShuffleExchanges = 150;
// No channel of two look-alike pieces differs by more than this anywhere.
constexpr int kLookAlikeTolerance = 8;

}  // namespace

void SeedLcg(Lcg15& lcg, uint32_t seed) {
    lcg.state = seed;
}

int NextLcg(Lcg15& lcg) {
    lcg.state = lcg.state * 214013u + 2531011u;
    return static_cast<int>((lcg.state >> 16) & 0x7FFFu);
}

int CellCount(const Board& board) {
    return board.columns * board.rows;
}

int ShuffleDivisor(int cellCount) {
    return (cellCount + 32766) / cellCount;
}

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

int PiecesHome(const Board& board) {
    const int count = CellCount(board);
    int home = 0;
    for (int i = 0; i < count; ++i) {
        if (LooksLike(board, board.cellOrder[i], i)) ++home;
    }
    return home;
}

bool IsRankedDeal(const Board& board) {
    const int count = CellCount(board);
    return 4 * (count - PiecesHome(board)) >= 3 * count;
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

bool PixelsClose(const uint8_t* p, const uint8_t* q) {
    for (int c = 0; c < 3; ++c) {  // the fourth byte is unused
        const int difference = p[c] - q[c];
        if (difference > kLookAlikeTolerance || difference < -kLookAlikeTolerance) return false;
    }
    return true;
}

// Nine points spread over the piece first: most pairs of a photo differ
// there already, so few are compared pixel by pixel.
bool SamplesClose(const PieceArea& area, int a, int b) {
    for (int i = 1; i <= 3; ++i) {
        const int y = area.cellHeight * i / 4;
        for (int j = 1; j <= 3; ++j) {
            const int x = area.cellWidth * j / 4;
            if (!PixelsClose(area.Row(a, y) + x * 4, area.Row(b, y) + x * 4)) return false;
        }
    }
    return true;
}

bool WithinTolerance(const PieceArea& area, int a, int b) {
    for (int y = 0; y < area.cellHeight; ++y) {
        const uint8_t* p = area.Row(a, y);
        const uint8_t* q = area.Row(b, y);
        for (int x = 0; x < area.cellWidth; ++x) {
            if (!PixelsClose(p + x * 4, q + x * 4)) return false;
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
    for (int a = 0; a < count; ++a) {
        for (int b = a + 1; b < count; ++b) {
            if (!SamplesClose(area, a, b) || !WithinTolerance(area, a, b)) continue;
            board.lookAlike[a][static_cast<size_t>(b)] = true;
            board.lookAlike[b][static_cast<size_t>(a)] = true;
        }
    }
}
