// Best Times as a player finds a record just made: the list of records with
// theirs selected, all 98 entries on demand, sorting by a header, the sums
// of the history, and the one line history.txt gained for the game.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "board_player.h"
#include "clear_driver.h"
#include "dialog_driver.h"
#include "game_driver.h"

namespace {

const wchar_t kBestTimesTitle[] = L"記録";

std::wstring TimeShown(long seconds) {
    return std::to_wstring(seconds / 60) + L" min " + std::to_wstring(seconds % 60) + L" sec";
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// A real click on the header of column `column` of a list view.
void ClickHeader(HWND list, int column) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT bar = {};
    GetWindowRect(header, &bar);
    int left = bar.left;
    for (int c = 0; c < column; ++c) left += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    ClickScreen(left + width / 2, (bar.top + bar.bottom) / 2);
}

// The row that holds `name`, or -1.
int RowOf(const std::vector<ShownRow>& rows, const std::wstring& name) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].cells.size() > 2 && rows[i].cells[2] == name) return static_cast<int>(i);
    }
    return -1;
}

TEST(BestTimesTest, ARecordJustMadeIsSelectedSortsAndSumsWithTheHistoryThatGainedItsLine) {
    const std::wstring directory = MakeTestDirectory();
    const std::wstring picture = directory + L"position.bmp";
    ASSERT_TRUE(WritePositionBmp(picture, 320, 240));
    ASSERT_TRUE(WriteFileBytes(directory + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
    const std::string earlier =
        "1\t2026-01-02 10:00:00\t4\t4\tdifficult\t5000\tranked\told.bmp\r\n"
        "a damaged line\r\n";
    ASSERT_TRUE(WriteFileBytes(directory + L"history.txt", earlier));
    Game game;
    ASSERT_TRUE(game.Start(directory + L"kanoze.exe", directory));

    // A 4 x 4 game played to the end and its record named.
    BoardPlayer player(game, 320, 240, 4, 4);
    ASSERT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
    ASSERT_TRUE(game.ChooseMenuItem(1, -1));  // スタート
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
    ASSERT_EQ("", player.ReadPieces());
    ASSERT_EQ("", player.SwapHome());
    const HWND name = WaitForDialog(kNameDialogTitle);
    ASSERT_NE(nullptr, name);
    TypeText(L"花子");
    ASSERT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(name, IDC_NAME_EDIT)) == L"花子"; }));
    game.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntilClosed(name));
    Score record;
    ASSERT_TRUE(WaitUntil([&] {
        return (record = ScoreAt(FileNow(directory + L"kanoze.txt"), ScoreIndex(false, 4, 4))).name == Cp932("花子");
    }));

    // history.txt kept what it held and gained one whole line for the game.
    const std::string history = FileNow(directory + L"history.txt");
    ASSERT_EQ(0u, history.find(earlier)) << history;
    const std::vector<std::string> fields = Fields(history.substr(earlier.size()));
    ASSERT_EQ(8u, fields.size()) << history;
    EXPECT_EQ("1", fields[0]);
    EXPECT_EQ(19u, fields[1].size()) << fields[1];
    EXPECT_EQ((std::vector<std::string>{"4", "4", "difficult", std::to_string(record.seconds), "ranked"}),
              std::vector<std::string>(fields.begin() + 2, fields.begin() + 7));
    EXPECT_EQ("position.bmp\r\n", fields[7]);

    // ファイル > 記録...: the one record, selected, and the sums of both games.
    ASSERT_TRUE(game.ChooseMenuItem(0, kFileBestTimesItem));
    const HWND dialog = WaitForDialog(kBestTimesTitle);
    ASSERT_NE(nullptr, dialog);
    const std::wstring time = TimeShown(record.seconds);
    std::vector<ShownRow> rows = ListViewRows(game, dialog, IDC_RECORD_LIST);
    ASSERT_EQ(1u, rows.size());
    EXPECT_TRUE(rows[0].selected);
    EXPECT_EQ((std::vector<std::wstring>{L"4 × 4", L"ムズカシイ", L"花子", time}), rows[0].cells);
    const std::vector<ShownRow> sums = ListViewRows(game, dialog, IDC_HISTORY_LIST);
    ASSERT_EQ(1u, sums.size()) << "the damaged line is skipped";
    EXPECT_EQ((std::vector<std::wstring>{L"4 × 4", L"ムズカシイ", L"2", time, TimeShown((5000 + record.seconds + 1) / 2),
                                         time}),
              sums[0].cells);

    // すべて表示: all 98 entries, the record still selected among them.
    ClickButton(game, dialog, IDC_SHOW_ALL);
    ASSERT_TRUE(WaitUntil([&] { return (rows = ListViewRows(game, dialog, IDC_RECORD_LIST)).size() == 98; }));
    ASSERT_EQ(49, RowOf(rows, L"花子")) << "easy first, then difficult from 4 x 4";
    EXPECT_TRUE(rows[49].selected);

    // The time's header sorts the quickest first; clicked again, last.
    const HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
    ClickHeader(list, 3);
    EXPECT_TRUE(WaitUntil([&] { return RowOf(ListViewRows(game, dialog, IDC_RECORD_LIST), L"花子") == 0; }));
    ClickHeader(list, 3);
    EXPECT_TRUE(WaitUntil([&] { return RowOf(ListViewRows(game, dialog, IDC_RECORD_LIST), L"花子") == 97; }));
    rows = ListViewRows(game, dialog, IDC_RECORD_LIST);
    ASSERT_EQ(98u, rows.size());
    EXPECT_TRUE(rows[97].selected);

    // Esc closes it, and the game goes on to its end as ever.
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, game.WaitForExit());
    EXPECT_EQ(history, FileNow(directory + L"history.txt")) << "the exit writes no game";
}

}  // namespace
