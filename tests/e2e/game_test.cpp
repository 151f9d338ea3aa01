// A whole game played with the mouse: every piece is found by turning cells
// up and reading the play area, then swapped home until the picture is whole.
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "board_player.h"
#include "game_driver.h"

namespace {

constexpr int kPictureWidth = 400;
constexpr int kPictureHeight = 300;
constexpr int kSide = 4;  // the board starts at 4 x 4

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

    std::wstring directory_;
    Game game_;
};

TEST_F(GameTest, FindEveryPieceAndSwapThemHomeUntilThePictureIsWhole) {
    BoardPlayer player(game_, kPictureWidth, kPictureHeight, kSide, kSide);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); })) << "the picture is shown before a game";

    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << "a new game shows a card back on every cell";

    // Turn each cell up alone, note its piece, take the pick back.
    ASSERT_EQ("", player.ReadRankedDeal());
    std::vector<int> home(player.cells());
    std::iota(home.begin(), home.end(), 0);
    ASSERT_NE(home, player.pieceIn) << "the shuffle moved some piece";

    // A right click takes back a pick.
    player.ClickCell(0);
    ASSERT_TRUE(WaitUntil([&] { return player.Shown(0) == player.pieceIn[0]; }));
    player.ClickCell(5, true);
    ASSERT_TRUE(WaitUntil([&] { return player.Shown(0) == -1; }));

    // Swap each piece home: pick its home cell, pick the cell it lies in,
    // click that again; the exchanged pieces show during the reveal.
    ASSERT_EQ("", player.SwapHome(true));

    // The first clear of a size beats its default time: Esc dismisses the
    // name, a click the celebration, and the whole picture shows.
    HWND dialog = WaitForDialog(L"ハイスコア！");
    ASSERT_NE(nullptr, dialog);
    game_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    game_.ClickClient(10, 10);
    EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown(); })) << "the solving click shows the whole picture";

    ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, game_.WaitForExit());
}

// Two pieces of a plain grey, 8 levels apart in every channel, look the
// same: either is at home in the other's cell, and the board left so is solved.
TEST(LookAlikeTest, PiecesThatLookTheSameAreAtHomeInEachOthersCell) {
    const std::wstring directory = MakeTestDirectory();
    const std::wstring picture = directory + L"sky.bmp";
    ASSERT_TRUE(WritePictureBmp(picture, kPictureWidth, kPictureHeight, [](int x, int y) {
        const int cell = y < kPictureHeight / kSide ? x / (kPictureWidth / kSide) : -1;
        return cell == 0 ? RGB(100, 100, 100) : cell == 1 ? RGB(108, 108, 108) : PositionColour(x, y);
    }));
    ASSERT_TRUE(WriteFileBytes(directory + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
    Game game;
    ASSERT_TRUE(game.Start(directory + L"kanoze.exe", directory));
    BoardPlayer player(game, kPictureWidth, kPictureHeight, kSide, kSide);
    ASSERT_TRUE(WaitUntil([&] { return player.Shown(kSide * kSide - 1) == kSide * kSide - 1; }));
    player.LearnPicture();  // the two greys are told apart by their pixels
    ASSERT_TRUE(game.ChooseMenuItem(1, -1));
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); }));
    ASSERT_EQ("", player.ReadRankedDeal());
    std::vector<int> goal(player.cells());
    std::iota(goal.begin(), goal.end(), 0);
    std::swap(goal[0], goal[1]);
    ASSERT_EQ("", player.SwapHome(false, goal));
    HWND dialog = WaitForDialog(L"ハイスコア！");
    ASSERT_NE(nullptr, dialog) << "the board is solved with the two greys in each other's cell";
    game.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, game.WaitForExit());
}

}  // namespace
