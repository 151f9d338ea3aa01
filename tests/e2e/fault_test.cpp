// What a crash, a full disk, a file that cannot be written and a list file
// held by another program do to the player's lists and best times: the
// files on disk are always a whole old or a whole new version.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "clear_driver.h"
#include "dialog_driver.h"
#include "game_driver.h"

namespace {

// Enough entries that writing them takes a while, so that kills land inside it.
constexpr int kLongListEntries = 150000;
constexpr int kAimedRounds = 10;
constexpr int kKillRounds = 20;

// A list as a person might write it by hand: LF line ends, no best times.
// The game rewrites it with CR LF and both tables, so every write shows.
std::string HandWritten(const std::vector<std::string>& entries) {
    std::string out = "#FILE\n";
    for (const std::string& entry : entries) out += entry + "\n";
    return out + "#FILE_END\n";
}

// The same list as the game writes it.
std::string AsWritten(const std::vector<std::string>& entries, const std::string& scores) {
    std::string out = "#FILE\r\n";
    for (const std::string& entry : entries) out += entry + "\r\n";
    return out + "#FILE_END\r\n" + scores;
}

std::string Describe(const std::string& bytes, const std::string& old, const std::string& now) {
    if (bytes == old) return "old";
    if (bytes == now) return "new";
    char text[64];
    std::snprintf(text, sizeof text, "neither (%zu bytes)", bytes.size());
    return text;
}

class FaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
        picture_ = directory_ + L"picture.bmp";
        ASSERT_TRUE(WritePositionBmp(picture_, 320, 240));
    }

    std::wstring Path(const wchar_t* name) const { return directory_ + name; }

    std::string Bytes(const wchar_t* name) { return FileNow(Path(name)); }

    // The play-list editor, closed with OK: the game writes kanoze.txt.
    void SaveListFromEditor(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(2, 1));
        HWND editor = WaitForDialog(L"イメージリストの編集");
        ASSERT_TRUE(editor && IsWindowVisible(editor)) << "the editor opens";
        game.ClickWindow(GetDlgItem(editor, IDOK));
        ASSERT_TRUE(WaitUntilClosed(editor));
        // The game answers the observer only once the command is done.
        ASSERT_FALSE(game.ReadMenu().empty()) << "the game still runs";
    }

    void CloseNormally(Game& game) {
        ASSERT_TRUE(game.ChooseMenuItem(0, kFileCloseItem));
        ASSERT_EQ(0u, game.WaitForExit()) << "the game ends by itself, without a crash";
    }

    std::wstring directory_;
    std::wstring picture_;
};

TEST_F(FaultTest, KilledWhileSavingLeavesTheWholeOldOrTheWholeNewListNeverAMix) {
    std::vector<std::string> entries = {AnsiPath(picture_)};
    char entry[64];
    for (int i = 0; i < kLongListEntries; ++i) {
        std::snprintf(entry, sizeof entry, "Z:\\nowhere\\album-%03d\\picture-%06d.jpg", i % 300, i);
        entries.push_back(entry);
    }
    const std::string old = HandWritten(entries);
    const std::string now = AsWritten(entries, ScoreSection());
    const std::wstring list = Path(L"kanoze.txt"), temporary = Path(L"kanoze.tx~");

    // How long the way out takes, from the close key to the end of the process.
    ASSERT_TRUE(WriteFileBytes(list, old));
    DWORD exitMs = 0;
    {
        Game game;
        ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
        const DWORD pressed = GetTickCount();
        game.PressAltF4();
        ASSERT_EQ(0u, game.WaitForExit());
        exitMs = GetTickCount() - pressed;
    }
    ASSERT_EQ("new", Describe(Bytes(L"kanoze.txt"), old, now)) << "an undisturbed exit saves the list";

    int killed = 0, killedWhileWriting = 0, oldSeen = 0, newSeen = 0;
    // One round: the old list, a start, Alt+F4, `waitToKill`, then a kill if
    // the game is still there; the list must be the whole old or new one.
    const auto killRound = [&](const std::string& name, const std::function<void(Game&)>& waitToKill) {
        ASSERT_TRUE(WriteFileBytes(list, old));
        DeleteFileW(temporary.c_str());
        Game game;
        ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
        game.PressAltF4();
        waitToKill(game);
        if (WaitForSingleObject(game.process(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(game.process(), 9);
            ++killed;
        }
        ASSERT_NE(STILL_ACTIVE, game.WaitForExit());
        // A temporary file left behind: the kill came in the middle of the write.
        if (FileExists(temporary)) ++killedWhileWriting;
        const std::string result = Describe(Bytes(L"kanoze.txt"), old, now);
        ASSERT_TRUE(result == "old" || result == "new") << name << ": kanoze.txt is " << result;
        (result == "old" ? oldSeen : newSeen) += 1;
    };

    std::mt19937 random(6);
    for (int round = 0; round < kKillRounds; ++round) {
        const DWORD delay = std::uniform_int_distribution<DWORD>(0, exitMs + exitMs / 4)(random);
        killRound("round " + std::to_string(round) + ", killed after " + std::to_string(delay) + " ms",
                  [&](Game&) { Sleep(delay); });
        if (HasFatalFailure()) return;
    }
    // Kills aimed at the write itself, the moment its temporary file shows:
    // where saving is quick, random moments seldom fall inside it, so the
    // file is looked for every millisecond.
    int aimed = 0;
    for (; aimed < kAimedRounds && killedWhileWriting < 3; ++aimed) {
        killRound("aimed round " + std::to_string(aimed), [&](Game& game) {
            WaitUntil([&] { return FileExists(temporary) || WaitForSingleObject(game.process(), 0) != WAIT_TIMEOUT; },
                      kExitTimeoutMs, 1);
        });
        if (HasFatalFailure()) return;
    }
    std::printf("%d random and %d aimed rounds, exit takes %lu ms: %d killed (%d in the middle of writing); "
                "the old list %d times, the new one %d times\n",
                kKillRounds, aimed, exitMs, killed, killedWhileWriting, oldSeen, newSeen);
    EXPECT_GE(killedWhileWriting, 1) << "some kills came while the list was being written";

    // A temporary file left by a kill does not stand in the way of the next save.
    Game game;
    ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
    CloseNormally(game);
    EXPECT_EQ("new", Describe(Bytes(L"kanoze.txt"), old, now));
    EXPECT_FALSE(FileExists(temporary));
}

// The run script prepares a folder whose kanoze.tx~ and sound.tx~
// are links to /dev/full: every write there fails for want of space.
TEST_F(FaultTest, AFullDiskLosesTheWriteButNeitherTheOldListsNorTheGame) {
    const std::wstring full = Environment(L"KANOZE_E2E_FULL");
    if (full.empty()) GTEST_SKIP() << "no folder on a full device prepared";
    const std::wstring folder = full + L"\\";
    ASSERT_TRUE(CopyFileW(Path(L"kanoze.exe").c_str(), (folder + L"kanoze.exe").c_str(), FALSE));
    const std::string old = HandWritten({AnsiPath(picture_)});
    const std::string oldSound = "#FILE\nZ:\\music\\song.mp3\n#FILE_END\n";
    ASSERT_TRUE(WriteFileBytes(folder + L"kanoze.txt", old));
    ASSERT_TRUE(WriteFileBytes(folder + L"sound.txt", oldSound));
    const auto bytes = [&](const wchar_t* name) {
        std::string out;
        return ReadFileBytes(folder + name, out) ? out : "(missing)";
    };

    Game game;
    ASSERT_TRUE(game.Start(folder + L"kanoze.exe", folder));
    SaveListFromEditor(game);
    EXPECT_EQ(old, bytes(L"kanoze.txt")) << "the failed write leaves the old list";
    CloseNormally(game);
    // The failed write took its link away with its temporary file, so the
    // exit may have saved kanoze.txt; sound.txt found the disk full.
    const std::string now = AsWritten({AnsiPath(picture_)}, ScoreSection());
    EXPECT_TRUE(bytes(L"kanoze.txt") == old || bytes(L"kanoze.txt") == now) << bytes(L"kanoze.txt");
    EXPECT_EQ(oldSound, bytes(L"sound.txt"));
}

TEST_F(FaultTest, AFolderThatTakesNoNewFileAndAReadOnlyListLeaveTheOldFilesAndTheGameRunning) {
    const std::string old = HandWritten({AnsiPath(picture_)});
    const std::string oldSound = "#FILE\nZ:\\music\\song.mp3\n#FILE_END\n";
    ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), old));
    ASSERT_TRUE(WriteFileBytes(Path(L"sound.txt"), oldSound));
    // Folders where the temporary files would go: no new file can be made
    // under those names, as in a folder without write permission.
    ASSERT_TRUE(CreateDirectoryW(Path(L"kanoze.tx~").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Path(L"sound.tx~").c_str(), nullptr));
    {
        Game game;
        ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
        SaveListFromEditor(game);
        EXPECT_EQ(old, Bytes(L"kanoze.txt"));
        CloseNormally(game);
    }
    EXPECT_EQ(old, Bytes(L"kanoze.txt"));
    EXPECT_EQ(oldSound, Bytes(L"sound.txt"));
    RemoveDirectoryW(Path(L"kanoze.tx~").c_str());
    RemoveDirectoryW(Path(L"sound.tx~").c_str());

    // A read-only kanoze.txt is read, and not replaced.
    ASSERT_TRUE(SetFileAttributesW(Path(L"kanoze.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    {
        Game game;
        ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
        const POINT p = game.ClientToScreenPoint(37, 21);
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == PositionColour(37, 21); }))
            << "the listed picture shows";
        SaveListFromEditor(game);
        CloseNormally(game);
    }
    EXPECT_EQ(old, Bytes(L"kanoze.txt"));
    SetFileAttributesW(Path(L"kanoze.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Held at start-up, let go, then a list confirmed in the editor: the list
// is the player's, and the best times the file held are still there.
TEST_F(FaultTest, ListHeldAtStartUpKeepsItsBestTimesWhenTheEditorSavesAList) {
    ASSERT_TRUE(
        WriteFileBytes(Path(L"kanoze.txt"), AsWritten({AnsiPath(picture_)}, ScoreSection({{0, "Hanako", 77}}))));
    HANDLE held = HoldFile(Path(L"kanoze.txt"));
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    Game game;
    const bool started = game.Start(Path(L"kanoze.exe"), directory_);
    CloseHandle(held);
    ASSERT_TRUE(started);
    SaveListFromEditor(game);
    EXPECT_EQ(AsWritten({}, ScoreSection({{0, "Hanako", 77}})), Bytes(L"kanoze.txt"));
    CloseNormally(game);
    EXPECT_EQ(AsWritten({}, ScoreSection({{0, "Hanako", 77}})), Bytes(L"kanoze.txt"));
}

// Lists as text editors save them are read as lists. A file that holds
// nothing the game can read as one (UTF-16) is neither read nor written over.
TEST_F(FaultTest, ListsSavedByTextEditorsKeepTheirPicturesAndBestTimes) {
    const std::string stored = AsWritten({AnsiPath(picture_)}, ScoreSection({{0, "Hanako", 77}}));
    std::string crOnly = stored, utf16 = "\xFF\xFE";
    crOnly.erase(std::remove(crOnly.begin(), crOnly.end(), '\n'), crOnly.end());
    for (const char c : stored) utf16 += std::string{c, '\0'};
    const struct {
        const char* what;
        std::string bytes;
        std::string after;
    } lists[] = {
        {"UTF-8 with a byte-order mark, no line break at the end", "\xEF\xBB\xBF#FILE\r\n" + AnsiPath(picture_),
         AsWritten({AnsiPath(picture_)}, ScoreSection())},
        {"CR line ends", crOnly, stored},
        {"UTF-16", utf16, utf16},
    };
    for (const auto& list : lists) {
        ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), list.bytes));
        Game game;
        ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
        if (list.after != list.bytes) {
            const POINT p = game.ClientToScreenPoint(37, 21);
            EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(p.x, p.y) == PositionColour(37, 21); })) << list.what;
        }
        CloseNormally(game);
        EXPECT_EQ(list.after, Bytes(L"kanoze.txt")) << list.what;
    }
}

// The list confirmed in the editor cannot be saved while another program
// holds kanoze.txt; once it lets go, the next save writes it, even after a
// single picture took the list's place.
TEST_F(FaultTest, AListThatCouldNotBeSavedIsSavedAtTheNextSave) {
    const std::wstring second = Path(L"second.bmp"), single = Path(L"single.bmp");
    ASSERT_TRUE(WritePositionBmp(second, 360, 240));
    ASSERT_TRUE(WritePositionBmp(single, 400, 240));
    const std::string old = HandWritten({AnsiPath(picture_), AnsiPath(second)});
    ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), old));
    Game game;
    ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));

    HANDLE held = HoldFile(Path(L"kanoze.txt"));
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(game.ChooseMenuItem(2, 1));
    HWND editor = WaitForDialog(L"イメージリストの編集");
    ASSERT_TRUE(editor);
    ASSERT_TRUE(SelectEntry(game, editor, IDC_IMAGE_LIST, 1));
    ClickButton(game, editor, IDC_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return Entries(editor, IDC_IMAGE_LIST).size() == 1; }));
    ClickButton(game, editor, IDOK);
    ASSERT_TRUE(WaitUntilClosed(editor));
    ASSERT_TRUE(game.ChooseMenuItem(0, 0));  // ファイルを開く
    ASSERT_TRUE(AnswerFileDialog(L"画像ファイルを選択", single));
    EXPECT_TRUE(WaitUntil([&] { return ClientSize(game.window()).cx == 400; })) << "the single picture shows";
    CloseHandle(held);
    EXPECT_EQ(old, Bytes(L"kanoze.txt")) << "held: nothing was written";

    CloseNormally(game);
    EXPECT_EQ(AsWritten({AnsiPath(picture_)}, ScoreSection()), Bytes(L"kanoze.txt"));
}

// A program folder so deep that kanoze.txt's path is 258 characters: the
// temporary file of a save fits beside it all the same.
TEST_F(FaultTest, AProgramFolderNearTheLongestPathSavesBothLists) {
    const size_t depth = 248 - WorkDirectory().size() - 1;
    const std::wstring folder = MakeProgramDirectory(std::wstring(depth, L'k'));
    ASSERT_EQ(248u, folder.size());
    const std::wstring picture = folder + L"p.bmp";
    ASSERT_TRUE(WritePositionBmp(picture, 320, 240));
    ASSERT_TRUE(WriteFileBytes(folder + L"kanoze.txt", HandWritten({AnsiPath(picture)})));
    Game game;
    ASSERT_TRUE(game.Start(folder + L"kanoze.exe", folder));
    SaveListFromEditor(game);
    EXPECT_EQ(AsWritten({AnsiPath(picture)}, ScoreSection()), FileNow(folder + L"kanoze.txt"))
        << "the editor's OK saves at once";
    CloseNormally(game);
    EXPECT_EQ("#FILE\r\n#FILE_END\r\n", FileNow(folder + L"sound.txt"));
}

// A temporary file left read-only and hidden by an earlier run does not
// stop the save, and the list keeps the attributes the player gave it.
TEST_F(FaultTest, AStaleReadOnlyTemporaryFileAndAHiddenListDoNotStandInTheWayOfASave) {
    const std::string old = HandWritten({AnsiPath(picture_)});
    ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), old));
    ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.tx~"), "left by a crash"));
    ASSERT_TRUE(SetFileAttributesW(Path(L"kanoze.tx~").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW(Path(L"kanoze.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    const DWORD hidden = GetFileAttributesW(Path(L"kanoze.txt").c_str());
    Game game;
    ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
    CloseNormally(game);
    EXPECT_EQ(AsWritten({AnsiPath(picture_)}, ScoreSection()), Bytes(L"kanoze.txt"));
    EXPECT_EQ(hidden, GetFileAttributesW(Path(L"kanoze.txt").c_str()));
    EXPECT_TRUE(hidden & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_FALSE(FileExists(Path(L"kanoze.tx~")));
}

// Pictures and sounds added to a play-list whose file holds no list the game
// reads (saved as UTF-16): the player is told, once for each file, that it
// stays as it is and that what is added now is not kept; and neither file
// is touched.
TEST_F(FaultTest, AddingToAListWhoseFileIsNoListSaysOnceThatNothingAddedIsKept) {
    std::string utf16 = "\xFF\xFE";
    for (const char c : AsWritten({AnsiPath(picture_)}, ScoreSection())) utf16 += std::string{c, '\0'};
    ASSERT_TRUE(WriteFileBytes(Path(L"kanoze.txt"), utf16));
    ASSERT_TRUE(WriteFileBytes(Path(L"sound.txt"), utf16));
    const std::wstring second = Path(L"second.bmp");
    ASSERT_TRUE(WritePositionBmp(second, 360, 240));
    Game game;
    ASSERT_TRUE(game.Start(Path(L"kanoze.exe"), directory_));
    // The word names the file; Enter closes it.
    const auto told = [&](const wchar_t* file) {
        HWND box = WaitForDialog(L"Kanoze");
        if (!box) return false;
        bool named = false;
        for (const std::wstring& text : ChildTexts(box)) named = named || text.find(file) != std::wstring::npos;
        game.PressKey(VK_RETURN);
        return WaitUntilClosed(box) && named;
    };
    const auto untold = [&] { return game.Sync() && !FindWindowW(L"#32770", L"Kanoze"); };

    ASSERT_TRUE(game.ChooseMenuItem(3, 2));  // サウンド > リストの編集
    HWND editor = WaitForDialog(L"サウンドリストの編集");
    ASSERT_TRUE(editor);
    ASSERT_TRUE(game.DropFiles(editor, {Path(L"tune.wav")}));
    EXPECT_TRUE(told(L"sound.txt")) << "a drop on the editor";
    ClickButton(game, editor, IDCANCEL);
    ASSERT_TRUE(WaitUntilClosed(editor));
    ASSERT_TRUE(game.DropFiles(game.window(), {Path(L"other.wav")}));
    EXPECT_TRUE(untold()) << "once is enough";

    ASSERT_TRUE(game.DropFiles(game.window(), {picture_, second}));
    EXPECT_TRUE(told(L"kanoze.txt")) << "pictures dropped on the window";
    ASSERT_TRUE(game.DropFiles(game.window(), {second, picture_}));
    EXPECT_TRUE(untold());
    CloseNormally(game);
    EXPECT_EQ(utf16, Bytes(L"kanoze.txt"));
    EXPECT_EQ(utf16, Bytes(L"sound.txt"));
}

}  // namespace
