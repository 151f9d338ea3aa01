// Background music as a player meets it: the Sound menu's start and stop,
// the play-list walked in order and again from the first, files that cannot
// play dropped from sound.txt, and the sound list editor. Which file plays is
// seen as the sound file the game holds open: the player opens the file when
// it starts it and lets go of it when it has played to its end.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_driver.h"
#include "game_driver.h"

// After windows.h, which game_driver.h brings.
#include <tlhelp32.h>

namespace {

constexpr int kSoundBar = 3;
constexpr int kStartItem = 0, kStopItem = 1, kEditItem = 2, kNextTuneItem = 3, kVolumeItem = 4;
// Long enough for every file of a list to be seen playing, in turn, twice.
constexpr DWORD kPlayTimeoutMs = 30000;

const wchar_t kEditorTitle[] = L"サウンドリストの編集";
const wchar_t kFileDialogTitle[] = L"サウンドファイルを選択";

std::string SoundFile(const Paths& entries) {
    std::string out = "#FILE\r\n";
    for (const std::wstring& entry : entries) out += AnsiPath(entry) + "\r\n";
    return out + "#FILE_END\r\n";
}

// A mono 16-bit tone of `seconds` at `hz`, fading out.
bool WriteToneWav(const std::wstring& path, double seconds, double hz) {
    const int rate = 22050;
    const int count = static_cast<int>(seconds * rate);
    std::string data;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const int sample = static_cast<int>(12000.0 * std::sin(6.283185307 * hz * t) * (1.0 - t / seconds));
        data += static_cast<char>(sample & 0xFF);
        data += static_cast<char>((sample >> 8) & 0xFF);
    }
    auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
    const std::string header = "RIFF" + u32(static_cast<uint32_t>(36 + data.size())) + "WAVEfmt " + u32(16) +
                               u16(1) + u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16) + "data" +
                               u32(static_cast<uint32_t>(data.size()));
    return WriteFileBytes(path, header + data);
}

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
    }

    std::wstring Tone(const wchar_t* file, double seconds, double hz) {
        const std::wstring path = directory_ + file;
        EXPECT_TRUE(WriteToneWav(path, seconds, hz));
        return path;
    }

    // The mp3 that the test runner encoded from a tone of its own.
    std::wstring Mp3(const wchar_t* file) {
        const std::wstring path = directory_ + file;
        EXPECT_TRUE(CopyFileW((WorkDirectory() + L"fixtures\\tone.mp3").c_str(), path.c_str(), FALSE))
            << "fixtures\\tone.mp3 is made by tools/run-e2e.sh";
        return path;
    }

    std::wstring TextFile(const wchar_t* file) {
        const std::wstring path = directory_ + file;
        EXPECT_TRUE(WriteFileBytes(path, "This is a text file, not a sound.\r\n"));
        return path;
    }

    void WriteSoundList(const Paths& entries) {
        ASSERT_TRUE(WriteFileBytes(directory_ + L"sound.txt", SoundFile(entries)));
    }

    std::string SoundFileNow() { return FileNow(directory_ + L"sound.txt"); }

    bool SoundFileBecomes(const std::string& expected) {
        return WaitUntil([&] { return SoundFileNow() == expected; });
    }

    void Start() { ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_)); }

    void Close() {
        ChooseCommand(0, kFileCloseItem);
        ASSERT_EQ(0u, game_.WaitForExit());
    }

    void ChooseCommand(int bar, int item) { ASSERT_TRUE(game_.ChooseMenuItem(bar, item)) << "menu " << bar; }
    void SoundStart() { ChooseCommand(kSoundBar, kStartItem); }
    void SoundStop() { ChooseCommand(kSoundBar, kStopItem); }

    // "loud medium soft mute": + for the one checked.
    std::string VolumeChecks() {
        const std::vector<MenuEntry> menu = game_.ReadMenu();
        std::string out;
        for (UINT id = IDM_VOLUME_LOUD; id <= IDM_VOLUME_MUTE; ++id) {
            const MenuEntry* entry = game_.FindCommand(menu, id);
            out += !entry ? "?" : (entry->state & MF_CHECKED) ? "+" : "-";
        }
        return out;
    }

    // "start stop": + when enabled, - when grayed.
    std::string SoundMenu() { return game_.CommandStates({IDM_SOUND_START, IDM_SOUND_STOP}); }

    std::string SoundMenuBecomes(const std::string& expected) {
        WaitUntil([&] { return SoundMenu() == expected; });
        return SoundMenu();
    }

    // The file of this test's folder that the game holds open now: the one
    // that plays. Empty when none; several are joined with " + ".
    std::wstring Playing() {
        std::wstring out;
        for (const std::string& line : SplitLines(game_.Probe(kProbeFilesMessage))) {
            const std::wstring path = Wide(line);
            if (path.size() <= directory_.size() ||
                CompareStringOrdinal(path.c_str(), static_cast<int>(directory_.size()), directory_.c_str(),
                                     static_cast<int>(directory_.size()), TRUE) != CSTR_EQUAL) {
                continue;
            }
            if (!out.empty()) out += L" + ";
            out += directory_ + path.substr(directory_.size());
        }
        return out;
    }

    // The files seen playing, in order, until `count` have been seen (one
    // after another: a file that plays twice in a row counts once).
    Paths WatchPlayOrder(size_t count) {
        Paths order;
        WaitUntil([&] {
            const std::wstring now = Playing();
            if (!now.empty() && (order.empty() || order.back() != now)) order.push_back(now);
            return order.size() >= count;
        }, kPlayTimeoutMs);
        return order;
    }

    // `file` plays now and goes on for `ms` milliseconds.
    bool KeepsPlaying(const std::wstring& file, DWORD ms) {
        if (Playing() != file) return false;
        return !WaitUntil([&] { return Playing() != file; }, ms);
    }

    HWND OpenEditor() {
        ChooseCommand(kSoundBar, kEditItem);
        return WaitForDialog(kEditorTitle);
    }

    void CloseEditor(HWND editor, int button) {
        ClickButton(game_, editor, button);
        ASSERT_TRUE(WaitUntilClosed(editor)) << "the editor closes";
    }

    void AddEntry(HWND editor, const std::wstring& path) {
        const AddedEntry entry = AddListEntry(game_, editor, IDC_SOUND_LIST, kFileDialogTitle, path);
        EXPECT_EQ(L"サウンドファイル(*.mp3;*.mid;*.wav)", entry.fileType);
        ASSERT_TRUE(entry.added) << "the file dialog opens and closes, and the entry is listed";
    }

    void DeleteEntry(HWND editor, int index) {
        const size_t before = Entries(editor, IDC_SOUND_LIST).size();
        ASSERT_TRUE(SelectEntry(game_, editor, IDC_SOUND_LIST, index)) << "entry " << index;
        ClickButton(game_, editor, IDC_DELETE);
        ASSERT_TRUE(WaitUntil([&] { return Entries(editor, IDC_SOUND_LIST).size() == before - 1; }));
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(MusicTest, StartPlaysTheListInOrderAgainFromTheFirstAndStopThenStartResumes) {
    const std::wstring one = Tone(L"one.wav", 1.2, 440), two = Mp3(L"two.mp3");
    const std::wstring three = Tone(L"三.wav", 1.2, 550);  // 三 is 0x8E 0x4F in code page 932
    WriteSoundList({one, two, three});
    Start();

    EXPECT_EQ("++", SoundMenuBecomes("++")) << "both items start enabled";
    EXPECT_EQ(L"", Playing()) << "music waits for the player";

    SoundStart();
    EXPECT_EQ("-+", SoundMenuBecomes("-+"));
    EXPECT_EQ(Paths({one, two, three, one}), WatchPlayOrder(4)) << "in order, then again from the first";

    SoundStop();
    EXPECT_EQ("+-", SoundMenuBecomes("+-"));
    const std::wstring stopped = Playing();
    ASSERT_FALSE(stopped.empty()) << "a stopped file stays loaded";
    EXPECT_TRUE(KeepsPlaying(stopped, 3000)) << "stopped: the file does not end and nothing follows it";

    SoundStart();
    EXPECT_EQ("-+", SoundMenuBecomes("-+"));
    const std::wstring next = stopped == one ? two : stopped == two ? three : one;
    EXPECT_EQ(Paths({stopped, next}), WatchPlayOrder(2)) << "resumed, then the walk goes on";

    Close();
    EXPECT_EQ(SoundFile({one, two, three}), SoundFileNow()) << "nothing was dropped";
}

TEST_F(MusicTest, EntriesThatCannotPlayAreDroppedWhenTheirTurnComesAndGoneFromSoundTxt) {
    const std::wstring first = Tone(L"first.wav", 1.2, 440), third = Tone(L"third.wav", 1.2, 660);
    const std::wstring text = TextFile(L"text.wav"), missing = directory_ + L"missing.wav";
    WriteSoundList({first, text, missing, third});
    Start();

    SoundStart();
    EXPECT_EQ(Paths({first, third, first}), WatchPlayOrder(3));
    EXPECT_EQ("-+", SoundMenu());

    // Cancel in the editor still saves the list as it now is.
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Paths({first, third}), Entries(editor, IDC_SOUND_LIST));
    CloseEditor(editor, IDCANCEL);
    EXPECT_TRUE(SoundFileBecomes(SoundFile({first, third}))) << "written after Cancel";
    EXPECT_EQ("-+", SoundMenu()) << "a file is loaded: the items stay";

    Close();
    EXPECT_EQ(SoundFile({first, third}), SoundFileNow());
    EXPECT_TRUE(FileExists(text)) << "a dropped entry's file is left alone";
}

TEST_F(MusicTest, AListOfNothingPlayableEndsEmptyWithStopStillEnabled) {
    WriteSoundList({directory_ + L"gone.wav", TextFile(L"text.wav")});
    Start();

    SoundStart();
    EXPECT_EQ("-+", SoundMenuBecomes("-+"));
    EXPECT_EQ(L"", Playing());
    SoundStop();
    EXPECT_EQ("+-", SoundMenuBecomes("+-"));

    Close();
    EXPECT_EQ(SoundFile({}), SoundFileNow());
}

TEST_F(MusicTest, EditorAddsInsertsDeletesAndSetsTheSoundItems) {
    const std::wstring one = Tone(L"one.wav", 1.2, 440), two = Tone(L"two.wav", 1.2, 550);
    const std::wstring three = Mp3(L"three.mp3");
    Start();
    EXPECT_EQ("++", SoundMenuBecomes("++"));

    HWND editor = OpenEditor();
    ASSERT_TRUE(editor) << "the editor opens with its title";
    EXPECT_EQ(Paths(), Entries(editor, IDC_SOUND_LIST));
    CloseEditor(editor, IDCANCEL);
    EXPECT_TRUE(SoundFileBecomes(SoundFile({}))) << "Cancel writes sound.txt";
    EXPECT_EQ("--", SoundMenuBecomes("--")) << "an empty list grays both";

    editor = OpenEditor();
    ASSERT_TRUE(editor);
    AddEntry(editor, one);
    AddEntry(editor, two);
    EXPECT_EQ(Paths({one, two}), Entries(editor, IDC_SOUND_LIST)) << "no selection: appended";
    ASSERT_TRUE(SelectEntry(game_, editor, IDC_SOUND_LIST, 1));
    AddEntry(editor, three);
    EXPECT_EQ(Paths({one, three, two}), Entries(editor, IDC_SOUND_LIST)) << "inserted before the selection";
    DeleteEntry(editor, 0);
    EXPECT_EQ(Paths({three, two}), Entries(editor, IDC_SOUND_LIST));
    CloseEditor(editor, IDCANCEL);
    EXPECT_TRUE(SoundFileBecomes(SoundFile({}))) << "Cancel drops the changes";
    EXPECT_EQ("--", SoundMenu());

    editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Paths(), Entries(editor, IDC_SOUND_LIST));
    AddEntry(editor, one);
    AddEntry(editor, three);
    CloseEditor(editor, IDOK);
    EXPECT_TRUE(SoundFileBecomes(SoundFile({one, three}))) << "OK writes at once";
    EXPECT_EQ("+-", SoundMenuBecomes("+-")) << "nothing loaded: Start can be chosen";

    SoundStart();
    EXPECT_EQ("-+", SoundMenuBecomes("-+"));
    EXPECT_EQ(Paths({one, three, one}), WatchPlayOrder(3));
    Close();
    EXPECT_EQ(SoundFile({one, three}), SoundFileNow());
}

TEST_F(MusicTest, EditingWhileAFilePlaysLeavesItPlayingAndTheNextComesFromTheEditedList) {
    const std::wstring first = Tone(L"first.wav", 3.0, 440), second = Tone(L"second.wav", 4.0, 550);
    WriteSoundList({first, second});
    Start();
    SoundStart();
    ASSERT_TRUE(WaitUntil([&] { return Playing() == first; }));

    // The next file starts behind the open editor.
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_TRUE(WaitUntil([&] { return Playing() == second; }, kPlayTimeoutMs)) << "the next file starts";
    DeleteEntry(editor, 0);
    CloseEditor(editor, IDOK);
    EXPECT_EQ(second, Playing()) << "still playing";
    EXPECT_EQ("-+", SoundMenu()) << "a file is loaded and entries are left: the items stay";
    EXPECT_TRUE(SoundFileBecomes(SoundFile({second})));

    // Every entry deleted: both items gray, and the file plays to its end.
    editor = OpenEditor();
    ASSERT_TRUE(editor);
    DeleteEntry(editor, 0);
    CloseEditor(editor, IDOK);
    EXPECT_EQ("--", SoundMenuBecomes("--"));
    EXPECT_EQ(second, Playing()) << "the file plays on";
    EXPECT_TRUE(WaitUntil([&] { return Playing().empty(); }, kPlayTimeoutMs)) << "and ends";
    EXPECT_EQ("-+", SoundMenuBecomes("-+")) << "the empty list was tried: Stop is enabled";

    Close();
    EXPECT_EQ(SoundFile({}), SoundFileNow());
}

TEST_F(MusicTest, WithoutAFilterGraphBothSoundItemsAreGrayedAndTheListIsKept) {
    const std::wstring one = Tone(L"one.wav", 1.2, 440), two = Tone(L"two.wav", 1.2, 550);
    WriteSoundList({one});
    // The same program under a name of its own, which runs without DirectShow.
    const wchar_t silent[] = L"kanoze-silent.exe";
    ASSERT_TRUE(OverrideDll(silent, L"quartz", L"")) << "no DirectShow in it";
    ASSERT_TRUE(CopyFileW((directory_ + L"kanoze.exe").c_str(), (directory_ + silent).c_str(), FALSE));
    ASSERT_TRUE(game_.Start(directory_ + silent, directory_));
    // DirectShow is registered: it is found missing when the music first starts.
    SoundStart();
    EXPECT_EQ("--", SoundMenuBecomes("--"));

    HWND editor = OpenEditor();
    ASSERT_TRUE(editor) << "the list can still be edited";
    EXPECT_EQ(Paths({one}), Entries(editor, IDC_SOUND_LIST));
    AddEntry(editor, two);
    CloseEditor(editor, IDOK);
    EXPECT_TRUE(SoundFileBecomes(SoundFile({one, two})));
    EXPECT_EQ("--", SoundMenu()) << "still nothing to play through";
    EXPECT_EQ(L"", Playing());

    Close();
    EXPECT_EQ(SoundFile({one, two}), SoundFileNow()) << "no entry was dropped";
}

// Whether the game process has loaded the DLL named `name`.
bool GameHasLoaded(const Game& game, const wchar_t* name) {
    const HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetProcessId(game.process()));
    if (modules == INVALID_HANDLE_VALUE) return false;
    MODULEENTRY32W module = {};
    module.dwSize = sizeof module;
    bool found = false;
    for (BOOL more = Module32FirstW(modules, &module); more && !found; more = Module32NextW(modules, &module)) {
        found = _wcsicmp(module.szModule, name) == 0;
    }
    CloseHandle(modules);
    return found;
}

// DirectShow, and the sound DLLs it brings, load when the music first
// starts: a game that plays no music does without them.
TEST_F(MusicTest, DirectShowIsLoadedOnlyWhenTheMusicFirstStarts) {
    const std::wstring one = Tone(L"one.wav", 1.2, 440);
    WriteSoundList({one});
    Start();
    ASSERT_TRUE(GameHasLoaded(game_, L"kernel32.dll")) << "the game's DLLs can be listed";
    EXPECT_FALSE(GameHasLoaded(game_, L"quartz.dll"));
    EXPECT_EQ("++", SoundMenu()) << "as the menu has them";
    SoundStop();
    EXPECT_EQ("+-", SoundMenuBecomes("+-")) << "nothing to stop, and Start can be chosen";
    EXPECT_FALSE(GameHasLoaded(game_, L"quartz.dll")) << "Stop makes no graph";

    SoundStart();
    EXPECT_TRUE(WaitUntil([&] { return Playing() == one; })) << "playing: " << Playing();
    EXPECT_TRUE(GameHasLoaded(game_, L"quartz.dll"));
    EXPECT_EQ("-+", SoundMenu());
    Close();
}

// Next Tune skips to the next file at once; the volume chosen holds for what
// plays and stays chosen, in kanoze.ini, for the next start.
TEST_F(MusicTest, NextTuneSkipsAtOnceAndTheVolumeChosenIsKeptForTheNextStart) {
    const std::wstring one = Tone(L"one.wav", 20.0, 440), two = Tone(L"two.wav", 20.0, 550);
    WriteSoundList({one, two});
    Start();
    EXPECT_EQ("-", game_.CommandStates({IDM_NEXT_TUNE})) << "nothing plays: no tune to skip";
    EXPECT_EQ("+---", VolumeChecks()) << "loud at first";

    SoundStart();
    ASSERT_TRUE(WaitUntil([&] { return Playing() == one; })) << "playing: " << Playing();
    EXPECT_TRUE(WaitUntil([&] { return game_.CommandStates({IDM_NEXT_TUNE}) == "+"; }));
    const DWORD started = GetTickCount();
    ChooseCommand(kSoundBar, kNextTuneItem);  // 次の曲
    EXPECT_TRUE(WaitUntil([&] { return Playing() == two; })) << "playing: " << Playing();
    EXPECT_LT(GetTickCount() - started, 15000u) << "long before the first tone's end";

    ASSERT_TRUE(game_.ChooseMenuItem(kSoundBar, kVolumeItem, 2));  // 音量 > 小
    EXPECT_EQ("--+-", VolumeChecks());
    EXPECT_NE(std::string::npos, FileNow(directory_ + L"kanoze.ini").find("Volume=1\r\n"))
        << FileNow(directory_ + L"kanoze.ini");
    EXPECT_EQ(two, Playing()) << "the tune plays on, softer";

    SoundStop();
    EXPECT_TRUE(WaitUntil([&] { return game_.CommandStates({IDM_NEXT_TUNE}) == "-"; })) << "stopped: grayed again";
    Close();

    Game again;
    ASSERT_TRUE(again.Start(directory_ + L"kanoze.exe", directory_));
    const std::vector<MenuEntry> menu = again.ReadMenu();
    const MenuEntry* soft = again.FindCommand(menu, IDM_VOLUME_SOFT);
    const MenuEntry* loud = again.FindCommand(menu, IDM_VOLUME_LOUD);
    ASSERT_TRUE(soft && loud);
    EXPECT_TRUE((soft->state & MF_CHECKED) && !(loud->state & MF_CHECKED)) << "as chosen before";
    ASSERT_TRUE(again.ChooseMenuItem(0, kFileCloseItem));
    EXPECT_EQ(0u, again.WaitForExit());
}

}  // namespace

// Minimised, the music goes quiet where it is: a tone that would have played
// to its end meanwhile is still the one held when the window comes back, and
// the next one follows only after that.
TEST_F(MusicTest, MinimisedTheMusicIsQuietAndGoesOnWhenTheWindowIsBack) {
    constexpr DWORD kFirstMs = 6000;
    const std::wstring first = Tone(L"first.wav", kFirstMs / 1000.0, 440);
    const std::wstring second = Tone(L"second.wav", 1.2, 660);
    WriteSoundList({first, second});
    Start();
    SoundStart();
    ASSERT_TRUE(WaitUntil([&] { return Playing() == first; })) << "playing: " << Playing();
    const DWORD playing = GetTickCount();  // the tone started before this
    ASSERT_TRUE(game_.ClickMinimiseBox());
    ASSERT_LT(GetTickCount() - playing, kFirstMs / 2) << "minimised too late to tell";
    Sleep(kFirstMs + 2000 - (GetTickCount() - playing));  // past the tone's end, had it played on
    EXPECT_EQ(first, Playing()) << "the first tone did not play on to its end";
    ASSERT_TRUE(game_.ClickMinimiseBox());
    EXPECT_TRUE(WaitUntil([&] { return Playing() == second; }, kPlayTimeoutMs)) << "playing: " << Playing();
    EXPECT_EQ("-+", SoundMenu()) << "the Sound items as they were";
    Close();
}
