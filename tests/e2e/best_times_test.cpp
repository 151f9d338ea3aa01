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

// A real click on the header of column `column` of a list view, `shift`
// pixels right of its middle: two clicks apart are two clicks, not a double
// click, however soon they follow each other.
void ClickHeader(HWND list, int column, int shift = 0) {
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT bar = {};
    GetWindowRect(header, &bar);
    int left = bar.left;
    for (int c = 0; c < column; ++c) left += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    ClickScreen(left + width / 2 + shift, (bar.top + bar.bottom) / 2);
}

// The row that holds `name`, or -1.
int RowOf(const std::vector<ShownRow>& rows, const std::wstring& name) {
    for (size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].cells.size() > 2 && rows[i].cells[2] == name) return static_cast<int>(i);
    }
    return -1;
}

class BestTimesTest : public ::testing::Test {
  protected:
    // A 320 x 240 PositionColour picture listed in kanoze.txt; `history`
    // written as history.txt first.
    void StartWithHistory(const std::string& history) {
        directory_ = MakeTestDirectory();
        const std::wstring picture = directory_ + L"position.bmp";
        ASSERT_TRUE(WritePositionBmp(picture, 320, 240));
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n"));
        if (!history.empty()) {
            ASSERT_TRUE(WriteFileBytes(directory_ + L"history.txt", history));
        }
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
    }

    // A 4 x 4 game played to the end and its record named 花子; the record
    // as kanoze.txt keeps it.
    Score PlayAndName() {
        BoardPlayer player(game_, 320, 240, 4, 4);
        EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown(); }));
        EXPECT_TRUE(game_.ChooseMenuItem(1, -1));  // スタート
        EXPECT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << player.Describe();
        EXPECT_EQ("", player.ReadRankedDeal());
        EXPECT_EQ("", player.SwapHome());
        const HWND name = WaitForDialog(kNameDialogTitle);
        EXPECT_NE(nullptr, name) << "the name is asked for, and no message comes before it";
        if (!name) return {};
        TypeText(L"花子");
        EXPECT_TRUE(WaitUntil([&] { return ControlText(GetDlgItem(name, IDC_NAME_EDIT)) == L"花子"; }));
        game_.PressKey(VK_RETURN);
        EXPECT_TRUE(WaitUntilClosed(name));
        Score record;
        EXPECT_TRUE(WaitUntil([&] {
            return (record = ScoreAt(FileNow(directory_ + L"kanoze.txt"), ScoreIndex(false, 4, 4))).name ==
                   Cp932("花子");
        }));
        return record;
    }

    HWND OpenBestTimes() {
        EXPECT_TRUE(game_.ChooseMenuItem(0, kFileBestTimesItem));
        return WaitForDialog(kBestTimesTitle);
    }

    void CloseGame() {
        ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));
        EXPECT_EQ(0u, game_.WaitForExit());
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(BestTimesTest, ARecordJustMadeIsSelectedSortsAndSumsWithTheHistoryThatGainedItsLine) {
    const std::string earlier =
        "1\t2026-01-02 10:00:00\t4\t4\tdifficult\t5000\tranked\told.bmp\r\n"
        "a damaged line\r\n";
    StartWithHistory(earlier);
    ASSERT_FALSE(HasFatalFailure());
    const Score record = PlayAndName();
    ASSERT_FALSE(HasFailure());

    // history.txt kept what it held and gained one whole line for the game.
    const std::string history = FileNow(directory_ + L"history.txt");
    ASSERT_EQ(0u, history.find(earlier)) << history;
    const std::vector<std::string> fields = Fields(history.substr(earlier.size()));
    ASSERT_EQ(8u, fields.size()) << history;
    EXPECT_EQ("1", fields[0]);
    EXPECT_EQ(19u, fields[1].size()) << fields[1];
    EXPECT_EQ((std::vector<std::string>{"4", "4", "difficult", std::to_string(record.seconds), "ranked"}),
              std::vector<std::string>(fields.begin() + 2, fields.begin() + 7));
    EXPECT_EQ("position.bmp\r\n", fields[7]);

    // ファイル > 記録...: the one record, selected, and the sums of both games.
    const HWND dialog = OpenBestTimes();
    ASSERT_NE(nullptr, dialog);
    const std::wstring time = TimeShown(record.seconds);
    std::vector<ShownRow> rows = ListViewRows(game_, dialog, IDC_RECORD_LIST);
    ASSERT_EQ(1u, rows.size());
    EXPECT_TRUE(rows[0].selected);
    EXPECT_EQ((std::vector<std::wstring>{L"4 × 4", L"ムズカシイ", L"花子", time}), rows[0].cells);
    const std::vector<ShownRow> sums = ListViewRows(game_, dialog, IDC_HISTORY_LIST);
    ASSERT_EQ(1u, sums.size()) << "the damaged line is skipped";
    EXPECT_EQ((std::vector<std::wstring>{L"4 × 4", L"ムズカシイ", L"2", time,
                                         TimeShown((5000 + record.seconds + 1) / 2), time}),
              sums[0].cells);

    // すべて表示: all 98 entries, the record still selected among them.
    ClickButton(game_, dialog, IDC_SHOW_ALL);
    ASSERT_TRUE(WaitUntil([&] { return (rows = ListViewRows(game_, dialog, IDC_RECORD_LIST)).size() == 98; }));
    ASSERT_EQ(49, RowOf(rows, L"花子")) << "easy first, then difficult from 4 x 4";
    EXPECT_TRUE(rows[49].selected);

    // The time's header sorts the quickest first; clicked again, last.
    const HWND list = GetDlgItem(dialog, IDC_RECORD_LIST);
    ClickHeader(list, 3);
    EXPECT_TRUE(WaitUntil([&] { return RowOf(ListViewRows(game_, dialog, IDC_RECORD_LIST), L"花子") == 0; }));
    ClickHeader(list, 3, 4 * GetSystemMetrics(SM_CXDOUBLECLK));
    EXPECT_TRUE(WaitUntil([&] { return RowOf(ListViewRows(game_, dialog, IDC_RECORD_LIST), L"花子") == 97; }));
    rows = ListViewRows(game_, dialog, IDC_RECORD_LIST);
    ASSERT_EQ(98u, rows.size());
    EXPECT_TRUE(rows[97].selected);

    // Esc closes it, and the game goes on to its end as ever.
    TapKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    CloseGame();
    EXPECT_EQ(history, FileNow(directory_ + L"history.txt")) << "the exit writes no game";
}

// history.txt cannot be written (here a folder stands in its place): the
// game is celebrated and its record kept as ever, with no word about it, and
// the dialog shows the record with no sums.
TEST_F(BestTimesTest, AHistoryThatCannotBeWrittenLosesNothingElse) {
    StartWithHistory("");
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(CreateDirectoryW((directory_ + L"history.txt").c_str(), nullptr));
    const Score record = PlayAndName();
    ASSERT_FALSE(HasFailure());
    const HWND dialog = OpenBestTimes();
    ASSERT_NE(nullptr, dialog);
    const std::vector<ShownRow> rows = ListViewRows(game_, dialog, IDC_RECORD_LIST);
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(TimeShown(record.seconds), rows[0].cells.at(3));
    EXPECT_TRUE(ListViewRows(game_, dialog, IDC_HISTORY_LIST).empty());
    ClickButton(game_, dialog, IDOK);
    ASSERT_TRUE(WaitUntilClosed(dialog));
    CloseGame();
}

}  // namespace
