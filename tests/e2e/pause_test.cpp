// A game paused the ways a player pauses it: P and the Pause key, the
// minimise box, another program brought to the front. The board is covered
// meanwhile, clicks do nothing, the clock stands still, and the picks come back.
#include <gtest/gtest.h>

#include "board_player.h"
#include "clear_driver.h"
#include "game_driver.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

class PauseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
        const std::wstring picture = directory_ + L"position.bmp";
        ASSERT_TRUE(WritePositionBmp(picture, kWidth, kHeight));
        ASSERT_TRUE(
            WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
        ASSERT_TRUE(WaitUntil([&] { return player_.WholePictureShown(); }));
        startedBefore_ = GetTickCount();
        ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
        // No keyboard cursor for a player who has not used a game key.
        ASSERT_TRUE(WaitUntil([&] { return player_.CursorShown() == -1 && player_.FreshBoardShown(); }));
    }

    // The paused board: no piece in any cell, no cursor, and the line that
    // says how to go on, in white.
    bool Covered() {
        for (int cell = 0; cell < player_.cells(); ++cell) {
            if (player_.Shown(cell) != -1) return false;
        }
        return player_.CursorShown() == -1 && game_.CaptureClient(kWidth, kHeight).Count(RGB(255, 255, 255)) > 30;
    }

    void CloseGame() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
        EXPECT_EQ(0u, game_.WaitForExit());
    }

    std::wstring directory_;
    DWORD startedBefore_ = 0;  // just before スタート was chosen
    Game game_;
    BoardPlayer player_{game_, kWidth, kHeight, 4, 4};
};

TEST_F(PauseTest, PCoversTheBoardTakesNoClicksAndBringsThePicksAndTheRevealBack) {
    // A click picks a cell and takes the keyboard's cursor with it: an arrow
    // key shows the frame one step on, and the next click hides it again.
    player_.ClickCell(6);
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(6) != -1; }));
    const int piece = player_.Shown(6);
    game_.PressKey(VK_RIGHT);
    EXPECT_TRUE(WaitUntil([&] { return player_.CursorShown() == 7; })) << "the cursor followed the click";
    player_.ClickCell(6);  // the pick taken back
    EXPECT_TRUE(WaitUntil([&] { return player_.CursorShown() == -1 && player_.Shown(6) == -1; }));
    player_.ClickCell(6);
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(6) == piece; }));

    game_.PressKey('P');
    ASSERT_TRUE(WaitUntil([&] { return Covered(); })) << "P covers the board";
    // Input is taken in order: once P has brought the board back, the click
    // before it has been handled, and it must have picked nothing.
    player_.ClickCell(9);
    game_.PressKey('P');
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(6) == piece; })) << "the pick comes back";
    EXPECT_EQ(-1, player_.Shown(9)) << "a click on the paused board picks nothing";

    // The Pause key does the same; an exchange's reveal waits out the pause.
    player_.ClickCell(9);
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(9) != -1; }));
    const int other = player_.Shown(9);
    player_.ClickCell(9);  // the second pick again: exchange
    game_.PressKey(VK_PAUSE);
    ASSERT_TRUE(WaitUntil([&] { return Covered(); }));
    Sleep(1500);  // paused for twice the reveal's 700 ms
    game_.PressKey(VK_PAUSE);
    EXPECT_TRUE(WaitUntil([&] { return player_.Shown(6) == other && player_.Shown(9) == piece; }))
        << "the exchanged pieces show again for the rest of their reveal; " << player_.Describe();
    EXPECT_TRUE(WaitUntil([&] { return player_.Shown(6) == -1 && player_.Shown(9) == -1; }))
        << "and then turn face down";
    CloseGame();
}

TEST_F(PauseTest, MinimisedForEightSecondsTheBestTimeLeavesThemOut) {
    ASSERT_TRUE(game_.ClickMinimiseBox()) << "the minimise box";
    Sleep(8000);  // put away for eight seconds
    ASSERT_TRUE(game_.ClickMinimiseBox()) << "the same box on the minimised caption brings it back";
    // The board comes back as it was, without the keyboard's frame, and
    // uncovered: a click on the covered board would pick nothing.
    ASSERT_TRUE(WaitUntil([&] { return player_.CursorShown() == -1 && player_.FreshBoardShown() && !Covered(); }))
        << "the game goes on once the window is back";
    ASSERT_EQ("", player_.ReadRankedDeal());
    ASSERT_EQ("", player_.SwapHome());
    const DWORD wall = GetTickCount() - startedBefore_;
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    game_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    Score record;
    ASSERT_TRUE(WaitUntil([&] { return (record = ScoreAt(FileNow(directory_ + L"kanoze.txt"), 49)).seconds != 5940; }));
    EXPECT_LE(record.seconds * 1000 + 6000, static_cast<long>(wall))
        << "the recorded time leaves out the minimised eight seconds (played " << wall << " ms in all)";
    CloseGame();
}

TEST_F(PauseTest, AnotherProgramBroughtToTheFrontPausesTheGameUntilThePlayerComesBack) {
    player_.ClickCell(3);
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(3) != -1; }));
    const int piece = player_.Shown(3);

    // A window of this test program, beside the game's.
    HWND other = CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 700, 100, 240,
                                 120, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    const bool covered = WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        return Covered();
    });
    EXPECT_TRUE(covered) << "the game waits while another program is in front";
    game_.ClickCaption();
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == game_.window(); }));
    EXPECT_TRUE(WaitUntil([&] { return player_.Shown(3) == piece; })) << "back in front, the pick shows again";
    DestroyWindow(other);
    CloseGame();
}

// A pause keeps the picture out of sight until the game goes on, whatever
// runs over it; a game that ends while paused takes its pause with it.
TEST_F(PauseTest, TheRollKeepsAPausedPictureCoveredAndAGameEndedByReloadEndsItsPause) {
    game_.PressKey('P');
    ASSERT_TRUE(WaitUntil([&] { return Covered(); }));
    ASSERT_TRUE(game_.ChooseMenuItem(0, 1));  // ハイスコア
    ASSERT_TRUE(WaitUntil([&] { return game_.CaptureClient(kWidth, kHeight).Count(kRed) > 0; })) << "the roll runs";
    int pieces = 0;
    for (int cell = 0; cell < player_.cells(); ++cell) pieces += player_.Shown(cell) == cell;
    EXPECT_EQ(0, pieces) << "not over the picture of a paused game";
    game_.ClickClient(10, 10);
    EXPECT_TRUE(WaitUntil([&] { return Covered(); })) << "a click ends the roll: the paused board again";

    // Reloaded without a picture to show, the game is over, paused or not.
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n#FILE_END\r\n"));
    ASSERT_TRUE(game_.ChooseMenuItem(2, 2));  // イメージリストのリロード
    ASSERT_TRUE(game_.BringToFront());
    ASSERT_TRUE(Covered()) << "the last frame stays until something is drawn";
    game_.PressKey('P');
    // The ended game's board would come back at once; give it ample time.
    EXPECT_FALSE(WaitUntil([&] { return !Covered(); }, 3000)) << "P brings no ended board back";
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt",
                               "#FILE\r\n" + AnsiPath(directory_ + L"position.bmp") + "\r\n#FILE_END\r\n"));
    ASSERT_TRUE(game_.ChooseMenuItem(2, 2));
    ASSERT_TRUE(WaitUntil([&] { return player_.WholePictureShown(); }));
    ASSERT_TRUE(game_.BringToFront());
    game_.PressKey(VK_F2);
    EXPECT_TRUE(WaitUntil([&] { return player_.CursorShown() == 0 && player_.FreshBoardShown(); }))
        << "F2 starts the next game: no pause is left to swallow it";
    CloseGame();
}

}  // namespace
