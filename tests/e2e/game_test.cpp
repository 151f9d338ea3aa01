// A whole game played with the mouse: every piece is found by turning cells
// up and reading the play area, then swapped home until the picture is whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "game_driver.h"

namespace {

constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
constexpr int kSide = 4;  // the board starts at 4 x 4
constexpr int kCellWidth = kPictureWidth / kSide;
constexpr int kCellHeight = kPictureHeight / kSide;
constexpr int kCells = kSide * kSide;

struct Point {
    int x, y;
};

Point CellCentre(int cell) {
    return {(cell % kSide) * kCellWidth + kCellWidth / 2, (cell / kSide) * kCellHeight + kCellHeight / 2};
}

int PieceOfColour(COLORREF colour) {
    return PieceAtCellCentre(colour, kPictureWidth, kPictureHeight, kSide, kSide);
}

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeProgramDirectory(L"GameTest");
        const std::wstring picture = directory_ + L"position.bmp";
        ASSERT_TRUE(WritePositionBmp(picture, kPictureWidth, kPictureHeight));
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt",
                                   "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    }

    COLORREF PixelAt(Point p) {
        const POINT screen = game_.ClientToScreenPoint(p.x, p.y);
        return ScreenPixel(screen.x, screen.y);
    }

    std::string Board() {
        std::string out;
        for (int cell = 0; cell < kCells; ++cell) out += std::to_string(Shown(cell)) + " ";
        return out;
    }

    // What cell `cell` shows: the piece drawn there, or -1 for a card back.
    int Shown(int cell) { return PieceOfColour(PixelAt(CellCentre(cell))); }

    bool WholePictureShown() {
        for (int cell = 0; cell < kCells; ++cell) {
            if (Shown(cell) != cell) return false;
        }
        return true;
    }

    void ClickCell(int cell) {
        const Point p = CellCentre(cell);
        game_.ClickClient(p.x, p.y);
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(GameTest, FindEveryPieceAndSwapThemHomeUntilThePictureIsWhole) {
    ASSERT_TRUE(WaitUntil([&] { return WholePictureShown(); })) << "the picture is shown before a game";

    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] {
        for (int cell = 0; cell < kCells; ++cell) {
            if (Shown(cell) != -1) return false;
        }
        return true;
    })) << "a new game shows a card back on every cell";
    const COLORREF cardBack = PixelAt(CellCentre(0));

    // Turn each cell up alone, note its piece, take the pick back.
    std::vector<int> pieceIn(kCells, -1);
    for (int cell = 0; cell < kCells; ++cell) {
        ClickCell(cell);
        ASSERT_TRUE(WaitUntil([&] { return Shown(cell) != -1; })) << "cell " << cell << " turns up; the board shows " << Board();
        pieceIn[cell] = Shown(cell);
        ClickCell(cell);
        ASSERT_TRUE(WaitUntil([&] { return PixelAt(CellCentre(cell)) == cardBack; }))
            << "cell " << cell << " turns down again";
    }
    std::vector<int> sorted = pieceIn;
    std::sort(sorted.begin(), sorted.end());
    for (int piece = 0; piece < kCells; ++piece) ASSERT_EQ(piece, sorted[piece]) << "every piece lies once";

    // A right click takes back a pick.
    ClickCell(0);
    ASSERT_TRUE(WaitUntil([&] { return Shown(0) == pieceIn[0]; }));
    game_.ClickClient(CellCentre(5).x, CellCentre(5).y, true);
    ASSERT_TRUE(WaitUntil([&] { return PixelAt(CellCentre(0)) == cardBack; }));

    // Swap each piece home: pick its home cell, pick the cell it lies in, click that again.
    int swaps = 0;
    for (int home = 0; home < kCells; ++home) {
        if (pieceIn[home] == home) continue;
        int from = home + 1;
        while (pieceIn[from] != home) ++from;
        ClickCell(home);
        ClickCell(from);
        ASSERT_TRUE(WaitUntil([&] { return Shown(home) == pieceIn[home] && Shown(from) == home; }))
            << "both picks show the pieces lying in them";
        ClickCell(from);
        std::swap(pieceIn[home], pieceIn[from]);
        ++swaps;
        bool solved = true;
        for (int cell = 0; cell < kCells; ++cell) solved = solved && pieceIn[cell] == cell;
        if (solved) break;
        ASSERT_TRUE(WaitUntil([&] { return Shown(home) == home && Shown(from) == pieceIn[from]; }))
            << "the exchanged pieces show during the reveal";
        ASSERT_TRUE(WaitUntil([&] {
            return PixelAt(CellCentre(home)) == cardBack && PixelAt(CellCentre(from)) == cardBack;
        })) << "after the reveal both cells are face down";
    }
    ASSERT_GT(swaps, 0);

    // The first clear of a size beats its default time: Esc dismisses the
    // name, a click the celebration, and the whole picture shows.
    HWND dialog = WaitForDialog(L"ハイスコア！");
    ASSERT_NE(nullptr, dialog);
    game_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    game_.ClickClient(10, 10);
    EXPECT_TRUE(WaitUntil([&] { return WholePictureShown(); })) << "the solving click shows the whole picture";

    ASSERT_TRUE(game_.ChooseMenuItem(0, 2));
    EXPECT_EQ(0u, game_.WaitForExit());
}

}  // namespace
