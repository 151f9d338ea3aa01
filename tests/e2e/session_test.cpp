// What a player finds at the next start: the game left at close (by the
// close box, or by Windows ending the session) as it was, with its time; a
// saved game whose picture is gone, or damaged files, ignored; and the board
// size, rule and name chosen last time.
#include <gtest/gtest.h>

#include "board_player.h"
#include "clear_driver.h"
#include "game_driver.h"

namespace {

class SessionTest : public ::testing::Test {
  protected:
    // PositionColour pictures of the given sizes, listed in kanoze.txt in order.
    void ListPictures(std::initializer_list<SIZE> sizes) {
        directory_ = MakeTestDirectory();
        std::string list = "#FILE\r\n";
        int n = 0;
        for (const SIZE size : sizes) {
            const std::wstring picture = directory_ + L"picture" + std::to_wstring(++n) + L".bmp";
            ASSERT_TRUE(WritePositionBmp(picture, size.cx, size.cy));
            list += AnsiPath(picture) + "\r\n";
        }
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", list + "#FILE_END\r\n"));
    }

    void Start(Game& game) { ASSERT_TRUE(game.Start(directory_ + L"kanoze.exe", directory_)); }

    // Started on the first picture, then スタート: a fresh board.
    void StartAGame(Game& game, BoardPlayer& player) {
        Start(game);
        ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
        ASSERT_TRUE(game.ChooseMenuItem(1, -1));
        ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == 0 && player.FreshBoardShown(); }));
    }

    void CloseFromMenu(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(0, 2));
        ASSERT_EQ(0u, game.WaitForExit());
    }

    // The difficulty dialog's size edits and rule, as "5x4 easy"; Esc closes it.
    std::string DifficultyShown(Game& game) {
        if (!game.ChooseMenuItem(2, 3)) return "no menu";
        HWND dialog = WaitForDialog(kDifficultyTitle);
        if (!dialog) return "no dialog";
        std::wstring shown = ControlText(GetDlgItem(dialog, IDC_COLUMNS_EDIT)) + L"x" +
                             ControlText(GetDlgItem(dialog, IDC_ROWS_EDIT));
        shown += SendDlgItemMessageW(dialog, IDC_EASY, BM_GETCHECK, 0, 0) == BST_CHECKED ? L" easy" : L" difficult";
        game.PressKey(VK_ESCAPE);
        if (!WaitUntilClosed(dialog)) return "the dialog stays";
        return Cp932(shown);
    }

    std::wstring SavedGame() const { return directory_ + L"kanoze.sav"; }
    std::string ListFileNow() { return FileNow(directory_ + L"kanoze.txt"); }

    std::wstring directory_;
};

TEST_F(SessionTest, GameLeftWhenWindowsEndsOrByTheCloseBoxComesBackAsItWasWithItsTime) {
    ListPictures({{400, 300}});
    std::vector<int> arrangement;
    // Each run's game time, as little as it can have been: from the moment
    // its board showed to the close (or the solving click).
    DWORD played = 0;
    {
        Game game;
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_NO_FATAL_FAILURE(StartAGame(game, player));
        const DWORD started = GetTickCount();  // the game's clock runs from before this
        ASSERT_EQ("", player.ReadPieces());
        arrangement = player.pieceIn;
        // Windows ends the session: the game agrees, is told the session
        // ends, and is ended without a WM_DESTROY.
        DWORD_PTR agreed = 0;
        played += GetTickCount() - started;
        ASSERT_TRUE(SendMessageTimeoutW(game.window(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &agreed));
        EXPECT_NE(0u, agreed);
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutW(game.window(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &ignored));
        ASSERT_TRUE(TerminateProcess(game.process(), 0));
        ASSERT_NE(STILL_ACTIVE, game.WaitForExit());
    }
    ASSERT_TRUE(FileExists(SavedGame())) << "the game in progress is kept beside the lists";
    {
        Game game;
        Start(game);
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == 0 && player.FreshBoardShown(); }))
            << "the board in play, not the picture";
        const DWORD shown = GetTickCount();
        ASSERT_EQ("", player.ReadPieces());
        EXPECT_EQ(arrangement, player.pieceIn) << "every piece where it lay";
        played += GetTickCount() - shown;
        game.ClickCloseBox();
        ASSERT_EQ(0u, game.WaitForExit());
    }
    ASSERT_TRUE(FileExists(SavedGame()));
    Game game;
    Start(game);
    BoardPlayer player(game, 400, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == 0 && player.FreshBoardShown(); }));
    const DWORD shown = GetTickCount();
    ASSERT_EQ("", player.ReadPieces());
    EXPECT_EQ(arrangement, player.pieceIn);
    ASSERT_EQ("", player.SwapHome());
    played += GetTickCount() - shown;
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    game.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    Score record;
    ASSERT_TRUE(WaitUntil([&] { return (record = ScoreAt(ListFileNow(), 49)).seconds != 5940; }));
    EXPECT_GE(record.seconds * 1000 + 999, static_cast<long>(played))
        << "the time counts on from what was played before each close";
    CloseFromMenu(game);
    EXPECT_FALSE(FileExists(SavedGame())) << "a solved game is not kept";
}

TEST_F(SessionTest, SavedGameWhosePictureIsGoneAndDamagedFilesLeaveTheStartAsBefore) {
    ListPictures({{400, 300}, {320, 240}});
    {
        Game game;
        Start(game);
        ASSERT_TRUE(game.ChooseMenuItem(2, 0));  // 次の絵
        BoardPlayer player(game, 320, 240, 4, 4);
        ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
        ASSERT_TRUE(game.ChooseMenuItem(1, -1));
        ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); }));
        CloseFromMenu(game);
    }
    ASSERT_TRUE(FileExists(SavedGame()));
    ASSERT_TRUE(DeleteFileW((directory_ + L"picture2.bmp").c_str()));
    {
        Game game;
        Start(game);
        BoardPlayer player(game, 400, 300, 4, 4);
        EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown(); })) << "the first listed picture, no board";
        EXPECT_EQ("+", game.CommandStates({IDM_START}));
        EXPECT_FALSE(FileExists(SavedGame())) << "the saved game is dropped";
        CloseFromMenu(game);
    }

    // A saved game cut short and a settings file of noise.
    ASSERT_TRUE(WriteFileBytes(SavedGame(), "#GAME\r\nPICTURE=" + AnsiPath(directory_ + L"picture1.bmp") +
                                                "\r\nPICTURE_SIZE=400,300\r\nBOARD=4,4\r\nRULE=difficult\r\nORD"));
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 37 + 11) & 0xFF);
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.ini", noise));
    Game game;
    Start(game);
    BoardPlayer player(game, 400, 300, 4, 4);
    EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown(); })) << "the first listed picture, no board";
    EXPECT_EQ("4x4 difficult", DifficultyShown(game)) << "the defaults";
    CloseFromMenu(game);
    EXPECT_FALSE(FileExists(SavedGame()));
}

TEST_F(SessionTest, BoardSizeRuleAndNameComeBackAtTheNextStart) {
    ListPictures({{400, 300}});
    {
        Game game;
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_NO_FATAL_FAILURE(StartAGame(game, player));
        ASSERT_EQ("", player.ReadPieces());
        ASSERT_EQ("", player.SwapHome());
        HWND dialog = WaitForDialog(kNameDialogTitle);
        ASSERT_NE(nullptr, dialog);
        TypeText(L"花子");
        ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(dialog, IDC_NAME_EDIT)) == L"花子"; }));
        game.PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntilClosed(dialog));
        game.ClickClient(10, 10);  // the celebration ends
        ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
        ASSERT_EQ("", SetDifficulty(game, 5, 4, true));
        CloseFromMenu(game);
    }
    EXPECT_EQ(std::string::npos, ListFileNow().find("5x4")) << "the list file's format is unchanged";

    Game game;
    Start(game);
    EXPECT_EQ("5x4 easy", DifficultyShown(game));
    BoardPlayer player(game, 400, 300, 5, 4, true);
    ASSERT_TRUE(game.ChooseMenuItem(1, -1));
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == 0 && player.FreshBoardShown(); }))
        << "5 x 4, pieces at home face up";
    ASSERT_EQ("", player.ReadPieces());
    ASSERT_EQ("", player.SwapHome());
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
    EXPECT_EQ(L"花子", ControlText(edit)) << "the last name typed";
    DWORD from = 99, to = 99;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(0u, from);
    EXPECT_EQ(2u, to) << "selected whole";
    TypeText(L"Jiro");
    EXPECT_TRUE(WaitUntil([&] { return ControlText(edit) == L"Jiro"; })) << "typing replaces it";
    game.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    EXPECT_TRUE(WaitUntil([&] { return ScoreAt(ListFileNow(), ScoreIndex(true, 5, 4)).name == "Jiro"; }))
        << ListFileNow();
    CloseFromMenu(game);
}

}  // namespace
