// The read-out of the game in progress at the right end of the menu bar, as
// a player reads it: the time, the exchanges and the pieces home count on,
// stand still in a pause, a saved game says it came back, and once switched
// off the read-out stays off after a restart. The window never changes for it.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstdio>
#include <string>
#include <vector>

#include "board_player.h"
#include "game_driver.h"

namespace {

// Wide enough for the read-out beside the menu's own items.
constexpr int kWidth = 640, kHeight = 480;
constexpr int kSettingsBar = 2, kReadOutItem = 4;  // separators are passed over
const char kSpace[] = "\u3000";                    // between the read-out's parts

const char kUnranked[] = "※記録外";  // a deal dealt with more than a quarter of its cells home

// The read-out's parts, without the unranked deal's mark.
std::vector<std::string> Parts(const std::string& text) {
    std::vector<std::string> parts;
    size_t from = 0;
    for (size_t at; (at = text.find(kSpace, from)) != std::string::npos; from = at + sizeof kSpace - 1) {
        parts.push_back(text.substr(from, at - from));
    }
    parts.push_back(text.substr(from));
    parts.erase(std::remove(parts.begin(), parts.end(), kUnranked), parts.end());
    return parts;
}

// The seconds of a read-out's "m:ss".
int Seconds(const std::string& text) {
    int minutes = -1, seconds = -1;
    return std::sscanf(text.c_str(), "%d:%d", &minutes, &seconds) == 2 ? minutes * 60 + seconds : -1;
}

bool Has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

class ReadOutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
        const std::wstring picture = directory_ + L"position.bmp";
        ASSERT_TRUE(WritePositionBmp(picture, kWidth, kHeight));
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
    }

    void Start(Game& game) {
        ASSERT_TRUE(game.Start(directory_ + L"kanoze.exe", directory_));
        ASSERT_TRUE(game.BringToFront());
    }

    void Close(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
        ASSERT_EQ(0u, game.WaitForExit());
    }

    // The read-out's text, empty when the bar has none.
    static std::string ReadOut(Game& game) {
        const std::vector<MenuEntry> menu = game.ReadMenu();
        const MenuEntry* item = game.FindCommand(menu, IDM_READ_OUT_BAR);
        return item && item->kind == kMenuBar ? item->text : "";
    }
    std::string ReadOut() { return ReadOut(game_); }

    static bool ReadOutChecked(Game& game) {
        const std::vector<MenuEntry> menu = game.ReadMenu();
        const MenuEntry* item = game.FindCommand(menu, IDM_READ_OUT);
        return item && (item->state & MF_CHECKED);
    }

    // The read-out once `condition` holds for it; what it was last when not.
    template <typename Condition>
    static std::string ReadOutWhen(Game& game, Condition condition, DWORD timeoutMs = 15000) {
        std::string text;
        WaitUntil([&] { return condition(text = ReadOut(game)); }, timeoutMs, 100);
        return text;
    }
    template <typename Condition>
    std::string ReadOutWhen(Condition condition) {
        return ReadOutWhen(game_, condition);
    }

    std::wstring directory_;
    Game game_;
    BoardPlayer player_{game_, kWidth, kHeight, 4, 4};
};

TEST_F(ReadOutTest, CountsTheGameStopsInAPauseSaysResumedAndOnceSwitchedOffStaysOff) {
    Start(game_);
    ASSERT_TRUE(WaitUntil([&] { return player_.WholePictureShown(); }));
    RECT window, client;
    GetWindowRect(game_.window(), &window);
    GetClientRect(game_.window(), &client);
    EXPECT_EQ("", ReadOut()) << "no game, no read-out";
    EXPECT_TRUE(ReadOutChecked(game_)) << "shown unless the player said otherwise";

    ASSERT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] { return player_.FreshBoardShown(); }));
    ASSERT_EQ("", player_.ReadPieces());
    int home = 0;
    for (int cell = 0; cell < 16; ++cell) home += player_.pieceIn[cell] == cell;
    std::string text = ReadOutWhen([](const std::string& now) { return !now.empty(); });
    std::vector<std::string> parts = Parts(text);
    ASSERT_EQ(3u, parts.size()) << "[" << text << "]";
    EXPECT_EQ("0手", parts[1]) << "looking at the pieces exchanges none";
    EXPECT_EQ(std::to_string(home) + "/16", parts[2]);
    EXPECT_EQ(4 * home > 16, Has(text, kUnranked)) << "the deal is marked unranked when it lay a quarter home";

    // One exchange of the first two cells.
    player_.ClickCell(0);
    player_.ClickCell(1);
    player_.ClickCell(1);
    home +=
        (player_.pieceIn[1] == 0) + (player_.pieceIn[0] == 1) - (player_.pieceIn[0] == 0) - (player_.pieceIn[1] == 1);
    text = ReadOutWhen([](const std::string& now) { return Has(now, "1手"); });
    EXPECT_EQ(std::to_string(home) + "/16", Parts(text).back()) << text;
    const int before = Seconds(text);
    text = ReadOutWhen([&](const std::string& now) { return Seconds(now) >= before + 2; });
    EXPECT_GE(Seconds(text), before + 2) << "the clock counts: " << text;

    game_.PressKey('P');
    text = ReadOutWhen([](const std::string& now) { return Has(now, "一時停止中"); });
    ASSERT_TRUE(Has(text, "一時停止中")) << text;
    Sleep(2500);
    EXPECT_EQ(text, ReadOut()) << "the clock stands still in a pause";
    game_.PressKey('P');
    const int paused = Seconds(text);
    text = ReadOutWhen([&](const std::string& now) { return !Has(now, "一時停止中") && Seconds(now) > paused; });
    EXPECT_GT(Seconds(text), paused) << "and goes on from there: " << text;
    EXPECT_EQ(3u, Parts(text).size()) << text;

    RECT windowNow, clientNow;
    GetWindowRect(game_.window(), &windowNow);
    GetClientRect(game_.window(), &clientNow);
    EXPECT_TRUE(EqualRect(&window, &windowNow) && EqualRect(&client, &clientNow)) << "the window stays as it was";
    Close(game_);  // the game is kept for the next start

    Game again;
    Start(again);
    text = ReadOutWhen(again, [](const std::string& now) { return Has(now, "再開"); });
    EXPECT_TRUE(Has(text, "再開")) << "the saved game came back: " << text;
    EXPECT_EQ("1手", Parts(text)[1]) << "its exchanges counted on: " << text;
    EXPECT_EQ(std::to_string(home) + "/16", Parts(text)[2]) << "its pieces where they were: " << text;
    text = ReadOutWhen(again, [](const std::string& now) { return !now.empty() && !Has(now, "再開"); });
    EXPECT_EQ(3u, Parts(text).size()) << "only for a few seconds: " << text;

    ASSERT_TRUE(again.ChooseMenuItem(kSettingsBar, kReadOutItem));  // 経過表示
    EXPECT_TRUE(WaitUntil([&] { return ReadOut(again).empty(); })) << "switched off";
    EXPECT_FALSE(ReadOutChecked(again));
    EXPECT_TRUE(Has(FileNow(directory_ + L"kanoze.ini"), "ReadOut=off\r\n")) << FileNow(directory_ + L"kanoze.ini");
    Close(again);

    Game third;
    Start(third);
    EXPECT_FALSE(ReadOutChecked(third)) << "still off";
    EXPECT_FALSE(WaitUntil([&] { return !ReadOut(third).empty(); }, 3000)) << "the game goes on without it";
    Close(third);
}

}  // namespace
