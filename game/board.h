// The puzzle board: its shape, the arrangement of the pieces, the shuffle and the solved test.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>

constexpr int kMinSide = 4;                           // fewest columns or rows
constexpr int kMaxSide = 10;                          // most columns or rows
constexpr int kSideCounts = kMaxSide - kMinSide + 1;  // column (or row) counts there are
constexpr int kMaxCellCount = kMaxSide * kMaxSide;

struct Board {
    int columns = kMinSide;
    int rows = kMinSide;
    bool easyMode = false;
    // cellOrder[c] is the piece lying in cell c; entries past CellCount keep
    // what a larger board left there.
    int cellOrder[kMaxCellCount] = {};
    // lookAlike[p][q]: pieces p and q of the picture look the same, so either
    // is at home in the other's cell. Found for each shuffle; none at first.
    std::bitset<kMaxCellCount> lookAlike[kMaxCellCount];
    // The deal can set a best time: see IsRankedDeal. Judged at each deal,
    // once its look-alike pieces are known.
    bool ranked = true;
};

int CellCount(const Board& board);

// Lays the solved arrangement, then makes 150 exchanges drawn from a
// generator seeded with `seed` (the shell passes the calendar seconds).
void DealCells(Board& board, uint32_t seed);

struct ViewSize {
    int width;
    int height;
};
// One cell of a view of the given size, in whole pixels.
ViewSize CellSizeOf(int viewWidth, int viewHeight, int columns, int rows);
// The play area cut down to whole cells of a picture of the given size.
ViewSize CutToWholeCells(int pictureWidth, int pictureHeight, int columns, int rows);

// True when `piece` is at home in `cell`: it is that cell's own piece or
// looks the same as it.
bool LooksLike(const Board& board, int piece, int cell);

// The cells whose piece is at home there, look-alikes counted as at home.
int PiecesHome(const Board& board);

// True when every cell of the board shows a piece that is at home there.
bool IsSolved(const Board& board);

// True when the arrangement is a real puzzle: at least three quarters of the
// cells hold a piece that is not at home there. On a plain picture nearly
// every piece looks like every other one, a single exchange solves the
// board, and a time made so must not become a best time.
bool IsRankedDeal(const Board& board);

// Pixels of a picture, 4 bytes a pixel (blue, green, red, unused), rows
// `stride` bytes apart from the top one (a negative stride runs upwards).
struct PixelRows {
    const uint8_t* top;
    ptrdiff_t stride;
    int width;
    int height;
};

// Marks in `lookAlike` every two pieces of the board's current shape, cut
// from `picture` in cells of `cellWidth` x `cellHeight`, whose pixels differ
// nowhere by more than 8 levels in any channel: a plain sky, a white wall.
void FindLookAlikePieces(Board& board, const PixelRows& picture, int cellWidth, int cellHeight);
