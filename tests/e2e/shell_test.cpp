// The program's window, its menu, the one-instance rule and the list files
// written at exit, seen from outside the running program.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <cstring>
#include <cwctype>
#include <set>

#include "board_player.h"
#include "clear_driver.h"
#include "dialog_driver.h"
#include "game_driver.h"

namespace {


// Two pictures that load, one of them in a folder with a double-byte name.
std::string HandWrittenImageList(const std::wstring& directory) {
    const std::wstring first = directory + L"one.bmp";
    const std::wstring folder = directory + L"\u5199\u771f";  // 写真
    const std::wstring second = folder + L"\\\u4e8c\u679a\u76ee.bmp";  // 二枚目.bmp
    CreateDirectoryW(folder.c_str(), nullptr);
    WritePositionBmp(first, 64, 48);
    WritePositionBmp(second, 80, 60);
    std::string out = "#FILE\r\n";
    out += AnsiPath(first) + "\r\n";
    out += AnsiPath(second) + "\r\n";
    out += "#FILE_END\r\n";
    return out + ScoreSection({{0, "Alice", 42}, {60, Cp932("山田　太郎"), 125}});
}

// The DLLs loaded in `process`, by name in lower case.
std::set<std::wstring> LoadedDlls(HANDLE process) {
    std::set<std::wstring> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetProcessId(process));
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot, &module); more; more = Module32NextW(snapshot, &module)) {
        std::wstring name = module.szModule;
        for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
        names.insert(name);
    }
    CloseHandle(snapshot);
    return names;
}

const char kHandWrittenSoundList[] = "#FILE\r\nC:\\music\\a.mp3\r\nC:\\music\\b.wav\r\n#FILE_END\r\n";

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        name_ = std::wstring(info->name(), info->name() + std::strlen(info->name()));
        directory_ = MakeProgramDirectory(name_);
        elsewhere_ = WorkDirectory() + name_ + L"-cwd\\";
        CreateDirectoryW(elsewhere_.c_str(), nullptr);
    }

    std::wstring Exe() const { return directory_ + L"kanoze.exe"; }

    std::string ProgramFile(const wchar_t* file) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(directory_ + file, bytes)) << "missing file";
        return bytes;
    }

    // Chooses ファイル > 閉じる and waits for a clean exit.
    void CloseFromMenu(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
        ASSERT_EQ(0u, game.WaitForExit());
    }

    std::wstring name_;
    std::wstring directory_;
    std::wstring elsewhere_;
};

TEST_F(ShellTest, WindowShowsTitleAndTheWholeMenu) {
    Game game;
    ASSERT_TRUE(game.Start(Exe(), elsewhere_));

    char title[64] = {};
    GetWindowTextA(game.window(), title, sizeof title);
    EXPECT_STREQ("Kanoze", title);
    RECT outer;
    GetWindowRect(game.window(), &outer);
    EXPECT_EQ(640, outer.right - outer.left);
    EXPECT_EQ(524, outer.bottom - outer.top);
    const LONG style = GetWindowLongW(game.window(), GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION | WS_SYSMENU), style & (WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(static_cast<LONG>(WS_MINIMIZEBOX), style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX))
        << "a minimise box; neither resizable nor maximisable";

    const std::vector<MenuEntry> menu = game.ReadMenu();
    std::vector<std::string> texts;
    for (const MenuEntry& entry : menu) texts.push_back(entry.kind + ":" + entry.text);
    const std::vector<std::string> expected = {
        "bar:ファイル", "item:ファイルを開く", "item:ハイスコア", "item:記録...", "item:閉じる",
        "bar:スタート",
        "bar:ゲーム設定", "item:次の絵", "item:イメージリストの設定...",
        "item:イメージリストのリロード", "item:", "item:難易度設定...", "item:", "item:経過表示",
        "bar:サウンド", "item:スタート", "item:ストップ", "item:リストの編集", "item:", "item:次の曲", "item:音量",
        "sub:大", "sub:中", "sub:小", "sub:消音",
        "bar:ヘルプ", "item:遊び方\tF1", "item:バージョン情報...",
    };
    EXPECT_EQ(expected, texts);

    // Every command has its id; with no picture to play, Start and Next are grayed.
    for (UINT id = IDM_CLOSE; id <= IDM_HOW_TO_PLAY; ++id) {
        const MenuEntry* entry = game.FindCommand(menu, id);
        ASSERT_NE(nullptr, entry) << "command " << id;
        const bool grayed = id == IDM_START || id == IDM_NEXT_PICTURE;
        EXPECT_EQ(grayed ? kGrayed : 0u, entry->state & kGrayed) << entry->text;
    }
    EXPECT_EQ("bar", game.FindCommand(menu, IDM_START)->kind) << "Start sits on the menu bar";

    CloseFromMenu(game);
}

TEST_F(ShellTest, AboutNamesTheProgramAndClosesWithOkButNotWithEscape) {
    Game game;
    ASSERT_TRUE(game.Start(Exe(), elsewhere_));
    ASSERT_TRUE(game.ChooseMenuItem(4, 1));  // ヘルプ > バージョン情報...
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (about = FindWindowW(L"#32770", L"バージョン情報")) != nullptr; }));
    EXPECT_EQ("", CentredOver(about, game.window()));
    const std::vector<std::wstring> texts = ChildTexts(about);
    ASSERT_EQ(4u, texts.size());
    EXPECT_EQ(L"OK", texts[0]);
    EXPECT_EQ(L"Kanoze （β）", texts[1]);
    EXPECT_NE(std::wstring::npos, texts[2].find(L"Kanoze")) << "the author line names the project";
    EXPECT_FALSE(texts[3].empty()) << "where to report problems";

    // Keys reach the dialog in order: once the space bar that follows Escape
    // has pressed OK down, Escape has been handled and left the dialog open.
    HWND ok = GetDlgItem(about, IDOK);
    game.PressKey(VK_ESCAPE);
    SendKey(VK_SPACE, false);
    EXPECT_TRUE(WaitUntil([&] { return (SendMessageW(ok, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }))
        << "Escape leaves the dialog open";
    EXPECT_TRUE(IsWindow(about));
    SendKey(VK_SPACE, true);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(about); })) << "OK closes it";
    CloseFromMenu(game);
}

TEST_F(ShellTest, SecondCopyEndsAtOnceAndLeavesTheFirstAsItWas) {
    Game first;
    ASSERT_TRUE(first.Start(Exe(), elsewhere_));
    RECT before;
    GetWindowRect(first.window(), &before);
    const std::vector<MenuEntry> menuBefore = first.ReadMenu();

    EXPECT_EQ(0u, RunToExit(Exe(), elsewhere_));

    EXPECT_TRUE(IsWindowVisible(first.window()));
    EXPECT_EQ(first.window(), FindWindowA("kanoze", "Kanoze"));
    RECT after;
    GetWindowRect(first.window(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(menuBefore.size(), first.ReadMenu().size());
    EXPECT_EQ(STILL_ACTIVE, first.WaitForExit(0));
    CloseFromMenu(first);
}

TEST_F(ShellTest, TwoCopiesStartedTogetherLeaveOneWindow) {
    Game a, b;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION processes[2] = {};
    for (PROCESS_INFORMATION& process : processes) {
        std::wstring commandLine = L"\"" + Exe() + L"\"";
        ASSERT_TRUE(CreateProcessW(Exe().c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   elsewhere_.c_str(), &startup, &process));
    }
    // Exactly one of the two ends by itself, with exit code 0.
    HANDLE handles[2] = {processes[0].hProcess, processes[1].hProcess};
    const DWORD ended = WaitForMultipleObjects(2, handles, FALSE, kExitTimeoutMs);
    ASSERT_LT(ended, WAIT_OBJECT_0 + 2);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(handles[ended - WAIT_OBJECT_0], &code);
    EXPECT_EQ(0u, code);
    HANDLE survivor = handles[1 - (ended - WAIT_OBJECT_0)];
    ASSERT_TRUE(WaitForWindow("kanoze", "Kanoze", kExitTimeoutMs));
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(survivor, 500));

    PostMessageW(FindWindowA("kanoze", "Kanoze"), WM_CLOSE, 0, 0);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(survivor, kExitTimeoutMs));
    for (PROCESS_INFORMATION& process : processes) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
}

TEST_F(ShellTest, CloseWritesBothListFilesInTheProgramDirectory) {
    Game game;
    ASSERT_TRUE(game.Start(Exe(), elsewhere_));
    CloseFromMenu(game);

    EXPECT_EQ("#FILE\r\n#FILE_END\r\n" + ScoreSection(), ProgramFile(L"kanoze.txt"));
    EXPECT_EQ("#FILE\r\n#FILE_END\r\n", ProgramFile(L"sound.txt"));
    EXPECT_FALSE(FileExists(elsewhere_ + L"kanoze.txt")) << "nothing goes to the current directory";
    EXPECT_FALSE(FileExists(directory_ + L"kanoze.tx~"));
}

TEST_F(ShellTest, HandWrittenListsSurviveStartAndSystemClose) {
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", HandWrittenImageList(directory_)));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"sound.txt", kHandWrittenSoundList));
    // A different pair in the current directory must neither be read nor written.
    ASSERT_TRUE(WriteFileBytes(elsewhere_ + L"kanoze.txt", "#FILE\r\nC:\\decoy.bmp\r\n#FILE_END\r\n"));

    Game game;
    ASSERT_TRUE(game.Start(Exe(), elsewhere_));
    game.PressAltF4();
    ASSERT_EQ(0u, game.WaitForExit());

    EXPECT_EQ(HandWrittenImageList(directory_), ProgramFile(L"kanoze.txt"));
    EXPECT_EQ(kHandWrittenSoundList, ProgramFile(L"sound.txt"));
    std::string decoy;
    ASSERT_TRUE(ReadFileBytes(elsewhere_ + L"kanoze.txt", decoy));
    EXPECT_EQ("#FILE\r\nC:\\decoy.bmp\r\n#FILE_END\r\n", decoy);
}

// Another program holds both lists open, sharing them with no one, while the
// game starts; it lets go before the game ends.
TEST_F(ShellTest, ListFilesHeldOpenByAnotherProgramAtStartUpAreNotOverwrittenAtExit) {
    const std::string list = HandWrittenImageList(directory_);
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", list));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"sound.txt", kHandWrittenSoundList));
    HANDLE held[2] = {HoldFile(directory_ + L"kanoze.txt"), HoldFile(directory_ + L"sound.txt")};
    for (HANDLE h : held) ASSERT_NE(INVALID_HANDLE_VALUE, h);

    Game game;
    const bool started = game.Start(Exe(), elsewhere_);
    const std::string start = started ? game.CommandStates({IDM_START}) : "";
    for (HANDLE h : held) CloseHandle(h);  // readable again before the exit writes
    ASSERT_TRUE(started);
    EXPECT_EQ("-", start) << "nothing could be read, so there is nothing to play";
    CloseFromMenu(game);

    EXPECT_EQ(list, ProgramFile(L"kanoze.txt")) << "the list and best times are all still there";
    EXPECT_EQ(kHandWrittenSoundList, ProgramFile(L"sound.txt"));
}

TEST_F(ShellTest, ProgramDirectoryWithDoubleByteNameHoldsTheLists) {
    // 表 is 0x95 0x5C in code page 932: its trail byte looks like a backslash.
    const std::wstring directory = MakeProgramDirectory(L"\u8868\u793a");
    Game game;
    ASSERT_TRUE(game.Start(directory + L"kanoze.exe", elsewhere_));
    CloseFromMenu(game);

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(directory + L"kanoze.txt", bytes));
    EXPECT_EQ("#FILE\r\n#FILE_END\r\n" + ScoreSection(), bytes);
    EXPECT_TRUE(FileExists(directory + L"sound.txt"));
}

// A newcomer's first start: the demo picture under a line that says how to
// begin, F1 and the Help menu's first item open How to Play over the game,
// and once a game has started the line is gone for good.
TEST_F(ShellTest, AFirstStartTellsHowToBeginAndF1ShowsHowToPlayOverTheGame) {
    constexpr int kWidth = 640, kHeight = 480;  // a window larger than the dialogs
    const std::wstring demo = directory_ + L"demo\\";
    ASSERT_TRUE(CreateDirectoryW(demo.c_str(), nullptr));
    ASSERT_TRUE(WritePositionBmp(demo + L"position.bmp", kWidth, kHeight));
    Game game;
    ASSERT_TRUE(game.Start(Exe(), directory_));
    BoardPlayer player(game, kWidth, kHeight, 4, 4);
    // The band across the middle: most of its rows are not the picture.
    const auto bandShown = [&] {
        const Screenshot shown = game.CaptureClient(kWidth, kHeight);
        int covered = 0;
        for (int y = kHeight / 2 - 16; y < kHeight / 2 + 16; ++y) {
            for (int x = 0; x < kWidth; ++x) covered += shown.At(x, y) != PositionColour(x, y);
        }
        return covered > kWidth * 32 * 9 / 10 && shown.Count(RGB(255, 255, 255)) > 30;
    };
    ASSERT_TRUE(WaitUntil([&] { return game.CommandStates({IDM_START}) == "+" && bandShown(); }))
        << "the demo picture under the line that says how to begin";

    ASSERT_TRUE(game.BringToFront());
    game.PressKey(VK_F1);
    HWND page = WaitForDialog(L"遊び方");
    ASSERT_NE(nullptr, page) << "F1 opens How to Play";
    EXPECT_EQ("", CentredOver(page, game.window()));
    const std::wstring text = ControlText(GetDlgItem(page, IDC_HOW_TO_PLAY_TEXT));
    for (const wchar_t* line : {L"F1: ", L"F2: ", L"Esc: ", L"Tab", L"P, Pause: ", L"ムズカシイ", L"簡単"}) {
        EXPECT_NE(std::wstring::npos, text.find(line)) << Cp932(line);
    }
    game.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(page)) << "Esc closes it";
    ASSERT_TRUE(game.ChooseMenuItem(4, 0));  // ヘルプ > 遊び方
    page = WaitForDialog(L"遊び方");
    ASSERT_NE(nullptr, page);
    game.PressAltF4(page);
    ASSERT_TRUE(WaitUntilClosed(page)) << "and so does its close box's command";
    EXPECT_TRUE(bandShown()) << "the line stays until a game starts";

    ASSERT_TRUE(game.BringToFront());
    game.PressKey(VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return player.FreshBoardShown(); })) << "F2 starts a game";
    ASSERT_EQ("", player.ReadRankedDeal());
    ASSERT_EQ("", player.SwapHome());
    HWND name = WaitForDialog(kNameDialogTitle, 30000);
    ASSERT_NE(nullptr, name) << player.Describe() << "; yellow pixels of the celebration: "
                             << game.CaptureClient(kWidth, kHeight).Count(kYellow);
    EXPECT_EQ("", CentredOver(name, game.window())) << "every dialog opens over the game";
    game.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntilClosed(name));
    game.ClickClient(10, 10);  // the celebration ends: the picture again, without the line
    EXPECT_TRUE(WaitUntil([&] { return player.WholePictureShown() && !bandShown(); }, 20000)) << player.Describe();
    CloseFromMenu(game);
}

}  // namespace

// The game run on a Western system (code page 1252), from a folder whose
// name ends in "é" (0xE9, a lead byte in code page 932 that would take the
// backslash after it for its trail byte).
TEST_F(ShellTest, ProgramDirectoryWithAnAccentedNameHoldsTheListsOnAWesternSystem) {
    const std::wstring directory = MakeProgramDirectory(L"Caf\u00e9");
    const std::wstring picture = elsewhere_ + L"position.bmp";
    ASSERT_TRUE(WritePositionBmp(picture, 64, 48));
    ASSERT_TRUE(WriteFileBytes(directory + L"kanoze.txt", "#FILE\n" + AnsiPath(picture) + "\n#FILE_END\n"));

    if (Environment(L"KANOZE_WINE").empty()) GTEST_SKIP() << "needs Wine, to run the game in another locale";
    Game game;
    ASSERT_TRUE(game.Start(directory + L"kanoze.exe", elsewhere_, L"C.UTF-8"));
    EXPECT_EQ("+", game.CommandStates({IDM_START})) << "the list beside the program was read";
    CloseFromMenu(game);

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(directory + L"kanoze.txt", bytes));
    EXPECT_EQ("#FILE\r\n" + AnsiPath(picture) + "\r\n#FILE_END\r\n" + ScoreSection(), bytes);
    EXPECT_FALSE(FileExists(WorkDirectory() + L"kanoze.txt")) << "nothing goes to the folder above";
}


// Without DirectDraw nothing can be shown: the game says so and ends, and
// the lists stay as they were.
TEST_F(ShellTest, AStartUpThatCannotGoOnSaysWhyAndLeavesTheListsAlone) {
    const wchar_t blind[] = L"kanoze-blind.exe";
    ASSERT_TRUE(OverrideDll(blind, L"ddraw", L"")) << "no DirectDraw in it";
    ASSERT_TRUE(CopyFileW(Exe().c_str(), (directory_ + blind).c_str(), FALSE));
    const std::string list = "#FILE\nC:\\pictures\\a.bmp\n#FILE_END\n";
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", list));

    HANDLE process = StartProcess(directory_ + blind, directory_);
    ASSERT_TRUE(process);
    HWND box = WaitForDialog(L"Kanoze", 20000);
    ASSERT_TRUE(box) << "a message box tells the player";
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        text += ControlText(child) + L"\n";
    }
    EXPECT_NE(std::wstring::npos, text.find(L"DirectDraw")) << "it names what is missing";
    SetForegroundWindow(box);
    TapKey(VK_RETURN);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process, kExitTimeoutMs)) << "and the game ends";
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    EXPECT_NE(0u, code);
    EXPECT_EQ(list, ProgramFile(L"kanoze.txt"));
    EXPECT_FALSE(FileExists(directory_ + L"sound.txt"));
}

// A start loads what every game needs and no more: the file dialog (and the
// shell it brings) comes when the player first asks for a file.
TEST_F(ShellTest, TheFileDialogIsLoadedWhenFirstAskedForNotAtStart) {
    const std::wstring first = directory_ + L"first.bmp", second = directory_ + L"second.bmp";
    ASSERT_TRUE(WritePositionBmp(first, 320, 240));
    ASSERT_TRUE(WritePositionBmp(second, 400, 300));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(first) + "\r\n#FILE_END\r\n"));
    Game game;
    ASSERT_TRUE(game.Start(Exe(), directory_));
    ASSERT_TRUE(WaitUntil([&] { return ClientSize(game.window()).cx == 320; })) << "the first picture is shown";
    const std::set<std::wstring> atStart = LoadedDlls(game.process());
    ASSERT_TRUE(atStart.count(L"kernel32.dll")) << "the game's DLLs were listed";
    EXPECT_FALSE(atStart.count(L"comdlg32.dll")) << "no file dialog at start";
    EXPECT_FALSE(atStart.count(L"shell32.dll")) << "no shell at start";

    ASSERT_TRUE(game.ChooseMenuItem(0, 0));  // ファイル > 開く
    ASSERT_TRUE(AnswerFileDialog(L"画像ファイルを選択", second));
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(game.window()).cx == 400; })) << "the chosen picture is shown";
    EXPECT_TRUE(LoadedDlls(game.process()).count(L"comdlg32.dll")) << "the file dialog came when asked for";
    CloseFromMenu(game);
}
