// A cleared board as a player meets it: the celebration over the picture,
// the name asked for a new best time and kept in kanoze.txt at once, the
// roll of all best times, and the difficulty dialog that sets the next board.
#include <gtest/gtest.h>
#include <objbase.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "board_player.h"
#include "clear_driver.h"
#include "game_driver.h"

namespace {


int Centre(const RECT& r) { return (r.left + r.right) / 2; }

// Windows asked for no animations inside windows, as the player sets it in
// the accessibility settings, for as long as it is held; then as before.
class NoClientAreaAnimation {
  public:
    NoClientAreaAnimation() {
        SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &before_, 0);
        SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }
    ~NoClientAreaAnimation() {
        SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<void*>(static_cast<INT_PTR>(before_)),
                              SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
    }

  private:
    BOOL before_ = TRUE;
};

class ClearTest : public ::testing::Test {
  protected:
    // A PositionColour picture, or the demo picture (640 x 480) when `demo` is
    // set, listed in kanoze.txt before `scores`; `heldAtStart` has another
    // program hold the file while the game starts and let go at once after.
    void StartWithPicture(int width, int height, bool demo = false, const std::string& scores = "",
                          bool heldAtStart = false) {
        directory_ = MakeTestDirectory();
        width_ = width;
        height_ = height;
        const std::wstring picture = directory_ + (demo ? L"mountains.jpg" : L"position.bmp");
        if (demo) {
            std::string bytes;
            ASSERT_TRUE(ReadFileBytes(Environment(L"KANOZE_SOURCE") + L"\\demo\\mountains.jpg", bytes));
            ASSERT_TRUE(WriteFileBytes(picture, bytes));
        } else {
            ASSERT_TRUE(WritePositionBmp(picture, width, height));
        }
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt",
                                   "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n" + scores));
        HANDLE held = heldAtStart ? HoldFile(directory_ + L"kanoze.txt") : INVALID_HANDLE_VALUE;
        const bool started = game_.Start(directory_ + L"kanoze.exe", directory_);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        ASSERT_TRUE(started);
    }

    std::string ListFileNow() { return FileNow(directory_ + L"kanoze.txt"); }

    Screenshot View() { return game_.CaptureClient(width_, height_); }
    int Yellow(RECT* bounds = nullptr) { return View().Count(kYellow, bounds); }

    // Start, then every piece found and swapped home; returns the
    // milliseconds from just before Start to just after the solving click.
    DWORD PlayToTheEnd(BoardPlayer& player) {
        const DWORD before = GetTickCount();
        EXPECT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
        EXPECT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
        std::string failure = player.ReadRankedDeal();
        EXPECT_EQ("", failure);
        failure = player.SwapHome();
        EXPECT_EQ("", failure);
        return GetTickCount() - before;
    }

    // ファイルを開く with a 400 x 300 picture, a 4 x 4 board solved and the
    // new best time named `name`.
    void RecordOnASingleFile(const wchar_t* name) {
        const std::wstring single = directory_ + L"single.bmp";
        ASSERT_TRUE(WritePositionBmp(single, 400, 300));
        ASSERT_TRUE(game_.ChooseMenuItem(0, 0));
        ASSERT_TRUE(AnswerFileDialog(L"画像ファイルを選択", single));
        BoardPlayer player(game_, 400, 300, 4, 4);
        PlayToTheEnd(player);
        ASSERT_FALSE(HasFailure());
        HWND dialog = WaitForDialog(kNameDialogTitle);
        ASSERT_NE(nullptr, dialog);
        TypeText(name);
        game_.PressKey(VK_RETURN);
        ASSERT_TRUE(WaitUntilClosed(dialog));
    }

    // At rest once the celebration's texts have stayed put for half a second.
    bool TextsComeToRest(RECT& resting) {
        resting = {};
        DWORD since = GetTickCount();
        return WaitUntil([&] {
            RECT now;
            Yellow(&now);
            if (!EqualRect(&now, &resting)) {
                resting = now;
                since = GetTickCount();
            }
            return GetTickCount() - since > 500;
        });
    }

    void CloseGame() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));  // 閉じる
        EXPECT_EQ(0u, game_.WaitForExit());
    }

    std::wstring directory_;
    int width_ = 0, height_ = 0;
    Game game_;
};

TEST_F(ClearTest, SolvedBoardCelebratesKeepsTheNamedRecordAtOnceAndTheRollShowsIt) {
    StartWithPicture(640, 300);
    BoardPlayer player(game_, 640, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    const DWORD playedMs = PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());

    // "Clear!" and the time slide in over the picture and come to rest in the middle.
    ASSERT_TRUE(WaitUntil([&] { return Yellow() > 200; })) << "yellow texts appear";
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog) << "a new best time asks for the name";
    RECT resting;
    ASSERT_TRUE(TextsComeToRest(resting)) << "the slide-in comes to rest";
    EXPECT_NEAR(320, Centre(resting), 40) << "centred across the view";
    EXPECT_NEAR(150, (resting.top + resting.bottom) / 2, 40) << "centred down the view";

    // The dialog: its text, an empty name field that takes typing at once.
    bool asksForName = false;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        asksForName = asksForName || ControlText(child) == L"ハイスコアです。\r\n名前を入力してください。";
    }
    EXPECT_TRUE(asksForName);
    EXPECT_EQ(L"", ControlText(GetDlgItem(dialog, IDC_NAME_EDIT)));
    TypeText(L"花子");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(dialog, IDC_NAME_EDIT)) == L"花子"; }));
    game_.ClickWindow(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntilClosed(dialog));

    // The record is on disk at once: difficult 4 x 4 is entry 49.
    Score record;
    ASSERT_TRUE(WaitUntil([&] { return (record = ScoreAt(ListFileNow(), 49)).name == Cp932("花子"); }))
        << ListFileNow();
    EXPECT_GE(record.seconds, 0);
    EXPECT_LE(record.seconds, static_cast<long>(playedMs / 1000));
    EXPECT_EQ("Not regist", ScoreAt(ListFileNow(), 0).name) << "easy 4 x 4 keeps its default";
    EXPECT_EQ(5940, ScoreAt(ListFileNow(), 0).seconds);

    // A click ends the celebration on the plain picture.
    EXPECT_GT(Yellow(), 200) << "the celebration still runs after the name";
    game_.ClickClient(10, 10);
    ASSERT_TRUE(WaitUntil([&] { return Yellow() == 0 && player.WholePictureShown(); }));

    // The roll rises from the bottom edge over the picture.
    ASSERT_TRUE(game_.ChooseMenuItem(0, 1));  // ハイスコア
    RECT heading = {};
    ASSERT_TRUE(WaitUntil([&] { return View().Count(kRed, &heading) > 0; })) << "the first heading appears";
    EXPECT_GT(heading.top, 300 - 30) << "at the bottom edge";
    const int firstTop = heading.top;
    ASSERT_TRUE(WaitUntil([&] { return View().Count(kRed, &heading) > 0 && heading.top < firstTop - 40; }))
        << "and moves up";
    ASSERT_TRUE(WaitUntil([&] { return Yellow() > 50; })) << "entries follow the heading";
    game_.ClickClient(10, 10);
    ASSERT_TRUE(WaitUntil([&] {
        const Screenshot shot = View();
        return shot.Count(kRed) == 0 && shot.Count(kYellow) == 0 && player.WholePictureShown();
    })) << "a click stops the roll and shows the plain picture";

    CloseGame();
    EXPECT_EQ(Cp932("花子"), ScoreAt(ListFileNow(), 49).name) << "the record survives the exit";
}

// Reload and Start while "Clear!" is still on: the celebration ends there.
// Nothing of it is drawn over the new board, its ten seconds do not reach
// the new game, and the new game, solved, celebrates in its turn.
TEST_F(ClearTest, ANewGameBegunDuringTheCelebrationEndsItAndCelebratesInItsTurn) {
    StartWithPicture(640, 300);
    BoardPlayer player(game_, 640, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    game_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    ASSERT_TRUE(WaitUntil([&] { return Yellow() > 200; })) << "the celebration runs";

    ASSERT_TRUE(game_.ChooseMenuItem(2, 2));  // イメージリストのリロード
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
    EXPECT_FALSE(WaitUntil([&] { return Yellow() > 0; }, 11000))
        << "no \"Clear!\" over the new board while the old ten seconds run out";

    EXPECT_EQ("", player.ReadRankedDeal());
    EXPECT_EQ("", player.SwapHome());
    EXPECT_TRUE(WaitUntil([&] { return Yellow() > 200; })) << "the new game celebrates";
    if (HWND again = WaitForDialog(kNameDialogTitle, 1000)) {
        game_.PressKey(VK_ESCAPE);
        WaitUntilClosed(again);
    }
    CloseGame();
}

// A board of the demo picture played to the end: the texts rest inside the
// play area over the whole picture, every piece home around them. The
// screenshot is saved for the README.
TEST_F(ClearTest, ScreenshotOfTheCelebrationOverADemoPicture) {
    StartWithPicture(640, 480, true);
    BoardPlayer player(game_, 640, 480, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return View().Count(RGB(0, 0, 0)) < 640 * 480 / 2; })) << "the picture shows";
    player.LearnPicture();
    PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(WaitUntil([&] { return Yellow() > 200; })) << "yellow texts appear";
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    game_.PressAltF4(dialog);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    RECT resting;
    EXPECT_TRUE(TextsComeToRest(resting) && Yellow() > 200) << "the slide-in comes to rest";
    EXPECT_TRUE(resting.left >= 0 && resting.top >= 0 && resting.right <= 640 && resting.bottom <= 480);
    InflateRect(&resting, 8, 8);  // the texts' outline
    int seen = 0;
    for (int cell = 0; cell < player.cells(); ++cell) {
        const RECT area = {cell % 4 * 160, cell / 4 * 120, cell % 4 * 160 + 160, cell / 4 * 120 + 120};
        RECT both;
        if (IntersectRect(&both, &area, &resting)) continue;
        EXPECT_EQ(cell, player.Shown(cell)) << "the piece at home in a cell the texts leave free";
        ++seen;
    }
    EXPECT_GE(seen, 4) << "the texts leave most of the picture free";
    const POINT origin = game_.ClientToScreenPoint(0, 0);
    EXPECT_TRUE(SaveScreenBmp(WorkDirectory() + L"screenshot-clear.bmp",
                              {origin.x, origin.y, origin.x + 640, origin.y + 480}));
    CloseGame();
}

TEST_F(ClearTest, WithoutAnimationsClearAndTheTimeStandStillFromTheFirstFrame) {
    const NoClientAreaAnimation still;
    StartWithPicture(640, 300);
    BoardPlayer player(game_, 640, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());
    RECT first = {};
    ASSERT_TRUE(WaitUntil([&] { return Yellow(&first) > 200; }, 10000, 5)) << "yellow texts appear";
    EXPECT_NEAR(320, Centre(first), 40) << "the first frame already shows them centred";
    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    game_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    // The name dialog opens over the window and may hide a part of them in
    // the first frame: what showed then lies where they rest.
    RECT later = {}, both = {};
    ASSERT_TRUE(TextsComeToRest(later));
    EXPECT_GT(Yellow(), 200);
    UnionRect(&both, &first, &later);
    EXPECT_TRUE(EqualRect(&both, &later)) << "and they stay where they are";
    CloseGame();
}

TEST_F(ClearTest, TextWiderThanTheViewRunsAsMarqueeUntilTheTenSecondsEnd) {
    StartWithPicture(240, 300);
    BoardPlayer player(game_, 240, 300, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());

    HWND dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    // The dialog opens over the small window; moved below it, the texts
    // show running right to left.
    RECT game = {}, shown = {};
    GetWindowRect(game_.window(), &game);
    GetWindowRect(dialog, &shown);
    ASSERT_TRUE(DragCaption(dialog, 0, game.bottom + 4 - shown.top));
    RECT first = {};
    ASSERT_TRUE(WaitUntil([&] { return Yellow(&first) > 50; }));
    RECT later = {};
    EXPECT_TRUE(WaitUntil([&] { return Yellow(&later) > 50 && !EqualRect(&later, &first); }))
        << "the marquee moves";
    // Closing the dialog keeps the name entered before: none yet in this run.
    game_.PressAltF4(dialog);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    const DWORD closed = GetTickCount();
    Score record;
    ASSERT_TRUE(WaitUntil([&] { 
        record = ScoreAt(ListFileNow(), 49);
        return record.seconds >= 0 && record.seconds != 5940;
    }))
        << ListFileNow();
    EXPECT_EQ("Not regist", record.name);

    // Still running well before the ten seconds, over by well after.
    RECT moving = {};
    ASSERT_TRUE(WaitUntil([&] { return Yellow(&moving) > 0; }));
    EXPECT_LT(GetTickCount() - closed, 8000u) << "the celebration runs on after the dialog";
    ASSERT_TRUE(WaitUntil([&] { return Yellow() == 0 && player.WholePictureShown(); }, 25000))
        << "the celebration ends by itself on the plain picture";
    EXPECT_GT(GetTickCount() - closed, 8000u) << "after about ten seconds";
    CloseGame();
}

TEST_F(ClearTest, DifficultyDialogSetsTheNextBoardAndTheEntryItsRecordGoesTo) {
    StartWithPicture(400, 300);
    ASSERT_TRUE(game_.ChooseMenuItem(2, 3));  // ゲーム設定 > 難易度設定... (Down skips the separator)
    HWND dialog = WaitForDialog(kDifficultyTitle);
    ASSERT_NE(nullptr, dialog);
    HWND columns = GetDlgItem(dialog, IDC_COLUMNS_EDIT);
    HWND rows = GetDlgItem(dialog, IDC_ROWS_EDIT);
    EXPECT_EQ(L"4", ControlText(columns));
    EXPECT_EQ(L"4", ControlText(rows));
    EXPECT_EQ(BST_CHECKED, SendMessageW(GetDlgItem(dialog, IDC_DIFFICULT), BM_GETCHECK, 0, 0));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(dialog, IDC_EASY), BM_GETCHECK, 0, 0));

    // The up arrow steps toward 4, the down arrow toward 10. From 4 the up
    // arrow does nothing, so up and then down shows 5: the down arrow's step
    // is the sign that the up arrow's click has been handled.
    ClickSpinArrow(dialog, IDC_COLUMNS_SPIN, true);
    ClickSpinArrow(dialog, IDC_COLUMNS_SPIN, false);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(columns) == L"5"; }))
        << "4 is the up arrow's end";
    for (int i = 0; i < 4; ++i) ClickSpinArrow(dialog, IDC_ROWS_SPIN, false);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(rows) == L"8"; }));
    ClickSpinArrow(dialog, IDC_ROWS_SPIN, true);
    EXPECT_TRUE(WaitUntil([&] { return ControlText(rows) == L"7"; }));

    // A letter is refused with a message and the last value comes back.
    game_.ClickWindow(rows);
    TypeText(L"a");
    HWND error = WaitForDialog(L"入力エラー");
    ASSERT_NE(nullptr, error) << "a letter brings up the input error";
    bool explains = false;
    for (HWND child = GetWindow(error, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        explains = explains || ControlText(child) == L"半角文字で数値を入力してください。";
    }
    EXPECT_TRUE(explains);
    game_.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(error));
    EXPECT_TRUE(WaitUntil([&] { return ControlText(rows) == L"7"; })) << "the rows edit shows 7 again";

    game_.ClickWindow(GetDlgItem(dialog, IDC_EASY));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageW(GetDlgItem(dialog, IDC_EASY), BM_GETCHECK, 0, 0) == BST_CHECKED; }));
    EXPECT_EQ(BST_UNCHECKED, SendMessageW(GetDlgItem(dialog, IDC_DIFFICULT), BM_GETCHECK, 0, 0));
    game_.ClickWindow(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntilClosed(dialog));
    ASSERT_FALSE(HasFailure());

    // The next game is 5 x 7 in easy mode: pieces at home lie face up.
    BoardPlayer player(game_, 400, 300, 5, 7, true);
    PlayToTheEnd(player);
    ASSERT_FALSE(HasFailure());
    dialog = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, dialog);
    TypeText(L"Easy57");
    game_.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(dialog));

    // Easy, 5 columns x 7 rows: entry (7 - 4) x 7 + (5 - 4) = 22 of the easy table.
    ASSERT_TRUE(WaitUntil([&] { return ScoreAt(ListFileNow(), 22).name == "Easy57"; })) << ListFileNow();
    EXPECT_LT(ScoreAt(ListFileNow(), 22).seconds, 5940);
    for (const int other : {0, 1, 7, 49, 49 + 22}) {
        EXPECT_EQ("Not regist", ScoreAt(ListFileNow(), other).name) << other;
    }
    CloseGame();
}

// The widest run of `colour` in each band of rows that shows it, bands
// parted by rows without it, top to bottom.
std::vector<int> BandWidths(const Screenshot& shot, COLORREF colour, int fromRow) {
    std::vector<int> widths;
    int left = shot.width, right = -1;
    for (int y = fromRow; y <= shot.height; ++y) {
        int rowLeft = shot.width, rowRight = -1;
        for (int x = 0; y < shot.height && x < shot.width; ++x) {
            if (shot.At(x, y) != colour) continue;
            rowLeft = std::min(rowLeft, x);
            rowRight = x;
        }
        if (rowRight >= 0) {
            left = std::min(left, rowLeft);
            right = std::max(right, rowRight);
        } else if (right >= 0) {
            widths.push_back(right - left + 1);
            left = shot.width;
            right = -1;
        }
    }
    return widths;
}

// A name is drawn as it was typed: "&" marks no mnemonic there.
TEST_F(ClearTest, TheRollDrawsAnAmpersandInANameAsItStands) {
    // Easy 4 x 4 and 5 x 4: "Tom & Jerry", and the same with a blank in
    // place of "&", which a mnemonic's "&" would leave.
    std::string scores = "#SCORE\r\n";
    for (int i = 0; i < 98; ++i) {
        scores += std::string("NAME=") + (i == 0 ? "Tom & Jerry" : i == 1 ? "Tom  Jerry" : "Not regist") +
                  "\r\nSCORE=" + (i < 2 ? "61" : "5940") + "\r\n";
    }
    StartWithPicture(640, 480, false, scores + "#SCORE_END\r\n");
    ASSERT_TRUE(game_.ChooseMenuItem(0, 1));  // ハイスコア

    // A frame with the heading and the first two entries whole: the size
    // line and the name of each, four yellow bands under the red heading.
    std::vector<int> widths;
    ASSERT_TRUE(WaitUntil([&] {
        RECT heading = {};
        const Screenshot shot = View();
        if (shot.Count(kRed, &heading) == 0 || heading.top > 200) return false;
        widths = BandWidths(shot, kYellow, heading.bottom);
        return widths.size() >= 4;
    })) << "the roll shows its first entries";
    EXPECT_GT(widths[1] - widths[3], 4) << "\"&\" is drawn, wider than a blank: " << widths[1] << " and "
                                        << widths[3] << " pixels";
    CloseGame();
}

TEST_F(ClearTest, RecordOfASingleFileIsSavedAtOnceWithThePlayListTheFileHolds) {
    StartWithPicture(400, 300);
    const std::string listed = "#FILE\r\n" + AnsiPath(directory_ + L"position.bmp") + "\r\n#FILE_END\r\n";
    RecordOnASingleFile(L"Single");
    ASSERT_FALSE(HasFatalFailure());

    ASSERT_TRUE(WaitUntil([&] { return ScoreAt(ListFileNow(), 49).name == "Single"; })) << ListFileNow();
    EXPECT_EQ(0u, ListFileNow().rfind(listed, 0)) << "the play-list in the file stays as it was";

    // A single file's run does not write kanoze.txt at exit: the record is already there.
    CloseGame();
    EXPECT_EQ("Single", ScoreAt(ListFileNow(), 49).name);
    EXPECT_EQ(0u, ListFileNow().rfind(listed, 0));
}


// kanoze.txt held by another program while the game started, let go later:
// a record of a single picture joins the best times the file holds.
TEST_F(ClearTest, RecordMadeAfterTheListWasHeldAtStartUpIsSavedBesideTheStoredOnes) {
    StartWithPicture(400, 300, false, ScoreSection({{0, "Hanako", 77}}), true);
    const std::string listed = "#FILE\r\n" + AnsiPath(directory_ + L"position.bmp") + "\r\n#FILE_END\r\n";
    RecordOnASingleFile(L"Single");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(WaitUntil([&] { return ScoreAt(ListFileNow(), 49).name == "Single"; })) << ListFileNow();
    EXPECT_EQ("Hanako", ScoreAt(ListFileNow(), 0).name);
    EXPECT_EQ(77, ScoreAt(ListFileNow(), 0).seconds);
    EXPECT_EQ(0u, ListFileNow().rfind(listed, 0)) << "the list the file holds";
    CloseGame();
}

// A plain picture: every piece looks like every other one, so the deal lies
// solved before the first exchange. That exchange celebrates as any other,
// but such a deal is no puzzle: no name is asked for and no time is kept.
TEST_F(ClearTest, ADealThatLiesSolvedCelebratesButSetsNoBestTime) {
    directory_ = MakeTestDirectory();
    width_ = 400;
    height_ = 300;
    constexpr COLORREF kPlain = RGB(60, 120, 90);
    ASSERT_TRUE(WritePictureBmp(directory_ + L"plain.bmp", 400, 300, [&](int, int) { return kPlain; }));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\nplain.bmp\r\n#FILE_END\r\n"));
    ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    BoardPlayer player(game_, 400, 300, 4, 4);
    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] { return player.PixelAt(0) != kPlain && player.PixelAt(5) != kPlain; }))
        << "card backs";
    player.ClickCell(0);
    player.ClickCell(5);
    ASSERT_TRUE(WaitUntil([&] { return player.PixelAt(5) == kPlain; }));
    player.ClickCell(5);
    ASSERT_TRUE(WaitUntil([&] { return Yellow() > 200; })) << "Clear! and the time";
    EXPECT_EQ(nullptr, FindWindowW(L"#32770", kNameDialogTitle)) << "no name is asked for";
    game_.ClickClient(10, 10);
    CloseGame();
    EXPECT_EQ(5940, ScoreAt(ListFileNow(), 49).seconds) << "no time is kept";
    EXPECT_EQ("Not regist", ScoreAt(ListFileNow(), 49).name);
}

}  // namespace
