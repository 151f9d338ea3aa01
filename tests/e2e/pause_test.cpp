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
        ASSERT_TRUE(WaitUntil([&] { return player_.CursorShown() == 0 && player_.FreshBoardShown(); }));
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
        ASSERT_TRUE(game_.ChooseMenuItem(0, 2));
        EXPECT_EQ(0u, game_.WaitForExit());
    }

    std::wstring directory_;
    DWORD startedBefore_ = 0;  // just before スタート was chosen
    Game game_;
    BoardPlayer player_{game_, kWidth, kHeight, 4, 4};
};

TEST_F(PauseTest, PCoversTheBoardTakesNoClicksAndBringsThePicksAndTheRevealBack) {
    // A click picks a cell and takes the keyboard's cursor with it.
    player_.ClickCell(6);
    ASSERT_TRUE(WaitUntil([&] { return player_.Shown(6) != -1; }));
    const int piece = player_.Shown(6);
    EXPECT_TRUE(WaitUntil([&] { return player_.CursorShown() == 6; })) << "the cursor follows the click";

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
    // The cursor's frame is drawn with the board in play alone: not over a
    // covered board, nor by a window not yet painted again.
    ASSERT_TRUE(WaitUntil([&] { return player_.CursorShown() == 0 && player_.FreshBoardShown(); }));
    ASSERT_EQ("", player_.ReadPieces());
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

}  // namespace
