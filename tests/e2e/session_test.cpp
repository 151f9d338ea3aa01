// What a player finds at the next start: the game left at close (by the
// close box, or by Windows ending the session) as it was, with its time; a
// saved game whose picture is gone, or damaged files, ignored; and the board
// size, rule and name chosen last time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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
        ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == -1 && player.FreshBoardShown(); }));
    }

    // Solves the board and types the name into the name dialog, which it returns still open.
    HWND SolveAndType(BoardPlayer& player, const wchar_t* name) {
        EXPECT_EQ("", player.ReadRankedDeal());
        EXPECT_EQ("", player.SwapHome());
        HWND dialog = WaitForDialog(kNameDialogTitle);
        if (!dialog) return nullptr;
        TypeText(name);
        EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(dialog, IDC_NAME_EDIT)) == name; }));
        return dialog;
    }

    void CloseFromMenu(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
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

    // Windows ends the session: the game agrees, is told the session ends,
    // and is ended without a WM_DESTROY.
    void EndSession(Game& game) {
        DWORD_PTR agreed = 0;
        ASSERT_TRUE(SendMessageTimeoutW(game.window(), WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &agreed));
        EXPECT_NE(0u, agreed);
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutW(game.window(), WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &ignored));
        ASSERT_TRUE(TerminateProcess(game.process(), 0));
        ASSERT_NE(STILL_ACTIVE, game.WaitForExit());
    }

    // The time kanoze.sav says the game was played, -1 without one.
    long SavedTime() {
        const std::string file = FileNow(SavedGame());
        const size_t at = file.find("TIME=");
        return at == std::string::npos ? -1 : std::atol(file.c_str() + at + 5);
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
        ASSERT_EQ("", player.ReadRankedDeal());
        arrangement = player.pieceIn;
        played += GetTickCount() - started;
        ASSERT_NO_FATAL_FAILURE(EndSession(game));
    }
    ASSERT_TRUE(FileExists(SavedGame())) << "the game in progress is kept beside the lists";
    {
        Game game;
        Start(game);
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == -1 && player.FreshBoardShown(); }))
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
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == -1 && player.FreshBoardShown(); }));
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

// A saved game whose picture no longer gives the size it was played on, and
// no listed picture to show instead: the window is the one of a start
// without any picture. A remembered name holding a lone lead byte of the
// code page comes back byte for byte at the next save of the settings.
TEST_F(SessionTest, ASavedGameThatNoLongerFitsLeavesTheEmptyStartAndTheNameKeepsItsBytes) {
    ListPictures({});
    SIZE empty = {};
    {
        Game game;
        Start(game);
        RECT window;
        GetWindowRect(game.window(), &window);
        empty = {window.right - window.left, window.bottom - window.top};
        CloseFromMenu(game);
    }
    ASSERT_TRUE(WritePositionBmp(directory_ + L"picture.bmp", 326, 240));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\ngone.bmp\r\n#FILE_END\r\n"));
    ASSERT_TRUE(WriteFileBytes(SavedGame(), "#GAME\r\nPICTURE=picture.bmp\r\nPICTURE_SIZE=300,200\r\nBOARD=4,4\r\n"
                                            "RULE=difficult\r\nORDER=15,14,13,12,11,10,9,8,7,6,5,4,3,2,1,0\r\n"
                                            "TIME=1000\r\n#GAME_END\r\n"));
    const std::string leadByte = "Ta\x82";
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.ini", "[Kanoze]\r\nName=\"" + leadByte + "\"\r\n"));
    Game game;
    Start(game);
    EXPECT_TRUE(WaitUntil([&] {
        RECT window;
        GetWindowRect(game.window(), &window);
        return window.right - window.left == empty.cx && window.bottom - window.top == empty.cy;
    })) << "the window of a start without a picture";
    EXPECT_FALSE(FileExists(SavedGame())) << "a game that cannot be laid out again is dropped";
    ASSERT_EQ("", SetDifficulty(game, 5, 4, false));
    CloseFromMenu(game);
    EXPECT_NE(std::string::npos, FileNow(directory_ + L"kanoze.ini").find("Name=\"" + leadByte + "\"\r\n"))
        << FileNow(directory_ + L"kanoze.ini");
}

TEST_F(SessionTest, BoardSizeRuleAndNameComeBackAtTheNextStart) {
    ListPictures({{400, 300}});
    {
        Game game;
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_NO_FATAL_FAILURE(StartAGame(game, player));
        HWND dialog = SolveAndType(player, L"花子");
        ASSERT_NE(nullptr, dialog);
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
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == -1 && player.FreshBoardShown(); }))
        << "5 x 4, pieces at home face up";
    ASSERT_EQ("", player.ReadRankedDeal());
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

// kanoze.sav lives as long as its game: written at each exchange, so that a
// crash loses nothing before it; kept while its picture is held by another
// program at the start; and naming the picture as the list does, relative to
// the program's folder, so that the folder can be moved.
TEST_F(SessionTest, ASavedGameOutlivesAKillAPictureHeldAtTheStartAndAMovedFolder) {
    directory_ = MakeTestDirectory();
    ASSERT_TRUE(WritePositionBmp(directory_ + L"picture.bmp", 400, 300));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\npicture.bmp\r\n#FILE_END\r\n"));
    std::vector<int> arrangement;
    {
        Game game;
        BoardPlayer player(game, 400, 300, 4, 4);
        ASSERT_NO_FATAL_FAILURE(StartAGame(game, player));
        ASSERT_EQ("", player.ReadPieces());
        // One exchange: the first piece away from home goes home.
        std::vector<int> goal = player.pieceIn;
        int cell = 0;
        while (goal[cell] == cell) ++cell;
        std::swap(goal[cell], *std::find(goal.begin(), goal.end(), cell));
        ASSERT_EQ("", player.SwapHome(false, goal));
        arrangement = player.pieceIn;
        ASSERT_TRUE(WaitUntil([&] { return FileExists(SavedGame()); })) << "the exchange is kept at once";
        EXPECT_NE(std::string::npos, FileNow(SavedGame()).find("\r\nPICTURE=picture.bmp\r\n")) << FileNow(SavedGame());
        ASSERT_TRUE(TerminateProcess(game.process(), 1));  // a crash, a kill, a power cut
        ASSERT_NE(STILL_ACTIVE, game.WaitForExit());
    }
    const std::string saved = FileNow(SavedGame());
    {
        HANDLE held = HoldFile(directory_ + L"picture.bmp");
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        Game game;
        Start(game);
        EXPECT_EQ("-+", game.CommandStates({IDM_START, IDM_NEXT_PICTURE})) << "nothing to play now";
        CloseFromMenu(game);
        CloseHandle(held);
    }
    EXPECT_EQ(saved, FileNow(SavedGame())) << "the game waits for its picture";

    const std::wstring moved = directory_.substr(0, directory_.size() - 1) + L" moved\\";
    RemoveTree(moved);  // left by an earlier run
    ASSERT_TRUE(MoveFileW(directory_.c_str(), moved.substr(0, moved.size() - 1).c_str()));
    directory_ = moved;
    Game game;
    Start(game);
    BoardPlayer player(game, 400, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.CursorShown() == -1 && player.FreshBoardShown(); }))
        << "the game, in the folder's new place";
    ASSERT_EQ("", player.ReadPieces());
    EXPECT_EQ(arrangement, player.pieceIn);
    CloseFromMenu(game);
}

// Started from a shortcut set to "Minimized": the game comes back paused,
// and the time it stays put away is not counted.
TEST_F(SessionTest, AGameTakenUpInAMinimisedWindowWaitsForThePlayer) {
    ListPictures({{400, 300}});
    ASSERT_TRUE(WriteFileBytes(SavedGame(), "#GAME\r\nPICTURE=picture1.bmp\r\nPICTURE_SIZE=400,300\r\nBOARD=4,4\r\n"
                                            "RULE=difficult\r\nORDER=15,14,13,12,11,10,9,8,7,6,5,4,3,2,1,0\r\n"
                                            "TIME=1000\r\n#GAME_END\r\n"));
    Game game;
    ASSERT_TRUE(game.Start(directory_ + L"kanoze.exe", directory_, L"", SW_SHOWMINNOACTIVE));
    EXPECT_TRUE(IsIconic(game.window()));
    Sleep(6000);  // six seconds put away
    ASSERT_NO_FATAL_FAILURE(EndSession(game));
    EXPECT_LT(SavedTime(), 3000) << "1 s played before, and nothing while minimised";
    EXPECT_GE(SavedTime(), 1000);
}

// Windows ends the session while the name dialog asks for a new record's
// name: the record is kept under the name typed so far, never under the
// player who held it before.
TEST_F(SessionTest, TheSessionEndingDuringTheNameDialogKeepsTheNameTyped) {
    directory_ = MakeTestDirectory();
    ASSERT_TRUE(WritePositionBmp(directory_ + L"picture.bmp", 400, 300));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt",
                               "#FILE\r\npicture.bmp\r\n#FILE_END\r\n" + ScoreSection({{49, "Taro", 5000}})));
    Game game;
    BoardPlayer player(game, 400, 300, 4, 4);
    ASSERT_NO_FATAL_FAILURE(StartAGame(game, player));
    ASSERT_NE(nullptr, SolveAndType(player, L"花子"));
    ASSERT_NO_FATAL_FAILURE(EndSession(game));
    const Score record = ScoreAt(ListFileNow(), 49);
    EXPECT_EQ(Cp932(L"花子"), record.name);
    EXPECT_LT(record.seconds, 5000);
    EXPECT_NE(std::string::npos, FileNow(directory_ + L"kanoze.ini").find("Name=\"" + Cp932(L"花子") + "\""))
        << "offered again next time";
}

}  // namespace
