// A whole game played from the keyboard alone: F2 starts it, the arrows move
// the cursor's frame, Space turns cells up and swaps, Esc takes picks back,
// Tab held shows the picture, the name is typed and Space ends the celebration.
#include <gtest/gtest.h>

#include "board_player.h"
#include "clear_driver.h"
#include "game_driver.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

TEST(KeyboardTest, WholeGameStartedSolvedAndNamedWithoutTheMouse) {
    const std::wstring directory = MakeTestDirectory();
    const std::wstring picture = directory + L"position.bmp";
    ASSERT_TRUE(WritePositionBmp(picture, kWidth, kHeight));
    ASSERT_TRUE(WriteFileBytes(directory + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
    Game game;
    ASSERT_TRUE(game.Start(directory + L"kanoze.exe", directory));
    BoardPlayer player(game, kWidth, kHeight, 4, 4, false, BoardInput::Keyboard);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    EXPECT_EQ(-1, player.CursorShown()) << "no cursor without a game";

    ASSERT_TRUE(game.BringToFront());
    game.PressKey(VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << "F2 starts a game";
    EXPECT_TRUE(WaitUntil([&] { return player.CursorShown() == 0; })) << "the cursor starts top left";

    // The arrows step the frame and stop at the edges.
    for (const WORD key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) game.PressKey(key);
    EXPECT_TRUE(WaitUntil([&] { return player.CursorShown() == 5; })) << "left and up stop, right and down step";
    for (const WORD key : {VK_LEFT, VK_UP}) game.PressKey(key);
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == 0; }));

    // Tab held shows the whole picture; let go, the board is back.
    SendKey(VK_TAB, false);
    EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown(); })) << "Tab held peeks at the picture";
    SendKey(VK_TAB, true);
    EXPECT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << "released, the board is back";

    // Space turns the cursor's cell up, Esc takes the pick back.
    player.ClickCell(0);
    ASSERT_TRUE(WaitUntil([&] { return player.Shown(0) != -1; }));
    player.ClickCell(0, true);
    ASSERT_TRUE(WaitUntil([&] { return player.Shown(0) == -1; }));

    ASSERT_EQ("", player.ReadRankedDeal());
    ASSERT_EQ("", player.SwapHome(true));

    // The name is typed and Enter takes it; Space ends the celebration.
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    TypeText(L"Keys");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(dialog, IDC_NAME_EDIT)) == L"Keys"; }));
    game.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    EXPECT_TRUE(WaitUntil([&] { return ScoreAt(FileNow(directory + L"kanoze.txt"), 49).name == "Keys"; }));
    ASSERT_TRUE(WaitUntil([&] { return game.CaptureClient(kWidth, kHeight).Count(kYellow) > 200; }));
    game.PressKey(VK_SPACE);
    EXPECT_TRUE(WaitUntil([&] {
        return game.CaptureClient(kWidth, kHeight).Count(kYellow) == 0 && player.WholePictureShown();
    })) << "Space ends the celebration as a click does";
    EXPECT_EQ(-1, player.CursorShown()) << "no cursor once the game is over";

    ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, game.WaitForExit());
}

}  // namespace
