// The picture play-list as a player meets it: which picture shows at start-up
// and after Next, a single file opened by hand and the way back by Reload,
// the list editor, and what reaches kanoze.txt and when.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "clear_driver.h"
#include "dialog_driver.h"
#include "game_driver.h"

namespace {

constexpr int kPictureHeight = 240;

const wchar_t kEditorTitle[] = L"イメージリストの編集";
const wchar_t kFileDialogTitle[] = L"画像ファイルを選択";

std::string FileSection(const Paths& entries) {
    std::string out = "#FILE\r\n";
    for (const std::wstring& entry : entries) out += AnsiPath(entry) + "\r\n";
    return out + "#FILE_END\r\n";
}

// kanoze.txt as the game writes it: the list, then the untouched best times.
std::string ListFile(const Paths& entries) { return FileSection(entries) + ScoreSection(); }

class PlayListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeTestDirectory();
    }

    // A picture `width` pixels wide; the window takes its width when it shows.
    std::wstring Picture(const wchar_t* file, int width) {
        const std::wstring path = directory_ + file;
        EXPECT_TRUE(WritePositionBmp(path, width, kPictureHeight));
        return path;
    }

    // A hand-written list without best times, so that any write by the game shows.
    void WriteList(const Paths& entries) {
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", FileSection(entries)));
    }

    std::string ListFileNow() { return FileNow(directory_ + L"kanoze.txt"); }

    // The list file once the game has finished what it was doing: the probe
    // is answered between two messages, so after a drop's or a closed
    // editor's save. (Reading the file while the game replaces it would make
    // the replace fail.)
    std::string SettledListFile(const wchar_t* name = L"kanoze.txt") {
        game_.ReadMenu();
        return FileNow(directory_ + name);
    }

    bool ListFileBecomes(const std::string& expected) {
        return WaitUntil([&] { return ListFileNow() == expected; });
    }

    void Start() { ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_)); }

    void Close() {
        ChooseCommand(0, 2);
        ASSERT_EQ(0u, game_.WaitForExit());
    }

    int WindowWidth() { return ClientSize(game_.window()).cx; }

    // The picture `width` pixels wide is the one shown.
    bool Shows(int width) { return WaitUntil([&] { return WindowWidth() == width; }, kDialogTimeoutMs); }

    bool PictureDrawn() {
        return WaitUntil([&] {
            const POINT p = game_.ClientToScreenPoint(37, 21);
            return ScreenPixel(p.x, p.y) == PositionColour(37, 21);
        });
    }

    // "start next reload", each + when enabled and - when grayed.
    std::string MenuStates() { return game_.CommandStates({IDM_START, IDM_NEXT_PICTURE, IDM_IMAGE_LIST_RELOAD}); }

    std::string MenuBecomes(const std::string& expected) {
        WaitUntil([&] { return MenuStates() == expected; });
        return MenuStates();
    }

    void ChooseCommand(int bar, int item) { ASSERT_TRUE(game_.ChooseMenuItem(bar, item)) << "menu " << bar; }

    void NextPicture() { ChooseCommand(2, 0); }
    void Reload() { ChooseCommand(2, 2); }

    HWND OpenEditor() {
        ChooseCommand(2, 1);
        return WaitForDialog(kEditorTitle);
    }

    // Waits until the editor is gone, not merely hidden: its command has
    // then run on to the save, if any.
    void CloseEditor(HWND editor, int button) {
        ClickButton(editor, button);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, kDialogTimeoutMs)) << "the editor closes";
    }

    // The list in play, as the editor shows it; Cancel leaves it as it is.
    Paths ListInPlay() {
        HWND editor = OpenEditor();
        if (!editor) return {L"(no editor)"};
        const Paths entries = Entries(editor, IDC_IMAGE_LIST);
        CloseEditor(editor, IDCANCEL);
        return entries;
    }

    void ClickButton(HWND dialog, int id) { ::ClickButton(game_, dialog, id); }

    void SelectEntry(HWND dialog, int index) {
        ASSERT_TRUE(::SelectEntry(game_, dialog, IDC_IMAGE_LIST, index)) << "entry " << index;
    }

    void AnswerFileDialog(const std::wstring& path) {
        EXPECT_EQ(L"画像ファイル(*.bmp;*.jpg;*.gif)", FileTypeShown(WaitForDialog(kFileDialogTitle)));
        ASSERT_TRUE(::AnswerFileDialog(kFileDialogTitle, path)) << "the file dialog takes the answer";
    }

    void OpenSingleFile(const std::wstring& path) {
        ChooseCommand(0, 0);
        AnswerFileDialog(path);
    }

    void AddEntry(HWND dialog, const std::wstring& path) {
        const AddedEntry entry = AddListEntry(game_, dialog, IDC_IMAGE_LIST, kFileDialogTitle, path);
        EXPECT_EQ(L"画像ファイル(*.bmp;*.jpg;*.gif)", entry.fileType);
        ASSERT_TRUE(entry.added) << "the file dialog takes the answer, and the entry is listed";
    }

    std::wstring directory_;
    Game game_;
};

TEST_F(PlayListTest, StartUpSkipsEntriesThatDoNotLoadAndExitKeepsOnlyTheShownOne) {
    const std::wstring third = Picture(L"third.bmp", 360);
    WriteList({directory_ + L"gone.bmp", directory_ + L"also gone.bmp", third});
    Start();

    EXPECT_TRUE(Shows(360)) << "the third entry is the one shown";
    EXPECT_TRUE(PictureDrawn());
    EXPECT_EQ("+++", MenuBecomes("+++"));
    Close();
    EXPECT_EQ(ListFile({third}), ListFileNow());
}

TEST_F(PlayListTest, StartUpWithNothingLoadableGraysStartAndNext) {
    const std::wstring notAPicture = directory_ + L"text.bmp";
    ASSERT_TRUE(WriteFileBytes(notAPicture, "not a bitmap"));
    WriteList({directory_ + L"gone.bmp", notAPicture});
    Start();

    EXPECT_EQ("--+", MenuBecomes("--+"));
    RECT outer;
    GetWindowRect(game_.window(), &outer);
    EXPECT_EQ(640, outer.right - outer.left) << "the start-up window";
    Close();
    EXPECT_EQ(ListFile({}), ListFileNow());
}

TEST_F(PlayListTest, NextPictureWalksTheListWrapsAndDropsFilesDeletedMeanwhile) {
    // 表 is 0x95 0x5C in code page 932: its trail byte looks like a backslash.
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360);
    const std::wstring c = Picture(L"表紙.bmp", 400), d = Picture(L"d.bmp", 440);
    WriteList({a, b, c, d});
    Start();
    ASSERT_TRUE(Shows(320));

    for (const int width : {360, 400, 440, 320}) {
        NextPicture();
        ASSERT_TRUE(Shows(width)) << "after the last entry comes the first";
    }

    ASSERT_TRUE(DeleteFileW(b.c_str()));
    NextPicture();
    EXPECT_TRUE(Shows(400)) << "the entry after the vanished one shows in its place";
    ASSERT_TRUE(DeleteFileW(d.c_str()));
    NextPicture();
    EXPECT_TRUE(Shows(320)) << "the vanished entry was the last: the walk wraps to the first";
    NextPicture();
    EXPECT_TRUE(Shows(400));
    NextPicture();
    EXPECT_TRUE(Shows(320)) << "two entries are left: the walk wraps after the second";
    EXPECT_EQ("+++", MenuBecomes("+++")) << "walking the list leaves the menu alone";

    EXPECT_EQ(Paths({a, c}), ListInPlay());
    Close();
    EXPECT_EQ(ListFile({a, c}), ListFileNow());
}

TEST_F(PlayListTest, APictureHeldByAnotherProgramIsPassedByAndShowsOnceLetGo) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360), c = Picture(L"c.bmp", 400);
    WriteList({a, b, c});
    Start();
    ASSERT_TRUE(Shows(320));

    HANDLE held = HoldFile(b);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    NextPicture();
    EXPECT_TRUE(Shows(400)) << "the held picture is passed by";
    CloseHandle(held);
    NextPicture();
    EXPECT_TRUE(Shows(320));
    NextPicture();
    EXPECT_TRUE(Shows(360)) << "let go, it shows at its turn";
    Close();
    EXPECT_EQ(ListFile({a, b, c}), ListFileNow()) << "nothing was dropped";
}

// Started from another folder, as a shortcut's "Start in" or a command
// prompt may do: entries without a drive name files beside the program, and
// go back into the lists as they were written.
TEST_F(PlayListTest, RelativeEntriesNameFilesBesideTheProgramWhereverItIsStartedFrom) {
    Picture(L"pic.bmp", 320);
    ASSERT_TRUE(CreateDirectoryW((directory_ + L"pics").c_str(), nullptr));
    Picture(L"pics\\two.bmp", 360);
    std::string tune;
    ASSERT_TRUE(ReadFileBytes(Environment(L"KANOZE_SOURCE") + L"\\demo\\tune.wav", tune));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"tune.wav", tune));
    const std::string pictures = "#FILE\r\npic.bmp\r\npics\\two.bmp\r\n#FILE_END\r\n";
    const std::string sounds = "#FILE\r\ntune.wav\r\n#FILE_END\r\n";
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", pictures));
    ASSERT_TRUE(WriteFileBytes(directory_ + L"sound.txt", sounds));

    ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", WorkDirectory()));
    EXPECT_TRUE(Shows(320));
    EXPECT_TRUE(PictureDrawn());
    NextPicture();
    EXPECT_TRUE(Shows(360));
    ChooseCommand(3, 0);  // サウンド > スタート
    EXPECT_TRUE(WaitUntil([&] { return game_.Probe(kProbeFilesMessage).find("tune.wav") != std::string::npos; }))
        << "the tune beside the program plays";
    Close();
    EXPECT_EQ(pictures + ScoreSection(), ListFileNow());
    EXPECT_EQ(sounds, FileNow(directory_ + L"sound.txt"));
}

TEST_F(PlayListTest, EveryEntryGoneLeavesTheLastPictureAndAnEmptyList) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360);
    WriteList({a, b});
    Start();
    ASSERT_TRUE(Shows(320));

    ASSERT_TRUE(DeleteFileW(a.c_str()));
    ASSERT_TRUE(DeleteFileW(b.c_str()));
    NextPicture();
    EXPECT_EQ(Paths(), ListInPlay());
    EXPECT_EQ(320, WindowWidth()) << "the last picture stays";
    EXPECT_EQ("+++", MenuStates());
    Close();
    EXPECT_EQ(ListFile({}), ListFileNow());
}

TEST_F(PlayListTest, OpenFileSavesTheListAtOnceAndTheFileStaysAsSavedInSingleFileMode) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360), c = Picture(L"c.bmp", 400);
    WriteList({a, b});
    Start();
    ASSERT_TRUE(Shows(320));
    NextPicture();
    ASSERT_TRUE(Shows(360));

    // Cancelled: the list is saved and set aside, the picture and menu stay.
    ChooseCommand(0, 0);
    ASSERT_TRUE(WaitForDialog(kFileDialogTitle));
    EXPECT_TRUE(ListFileBecomes(ListFile({a, b}))) << "saved before the file is chosen";
    const std::string saved = ListFileNow();
    AnswerFileDialog(L"");
    EXPECT_EQ("+++", MenuStates());
    EXPECT_EQ(360, WindowWidth());
    const std::wstring notAPicture = directory_ + L"text.bmp";
    ASSERT_TRUE(WriteFileBytes(notAPicture, "not a bitmap"));
    OpenSingleFile(notAPicture);
    EXPECT_EQ("+++", MenuStates()) << "a file that does not load changes nothing either";
    EXPECT_EQ(360, WindowWidth());
    EXPECT_EQ(Paths(), ListInPlay()) << "the list was set aside";

    // Chosen: the picture shows; Next has nothing to walk.
    OpenSingleFile(c);
    EXPECT_TRUE(Shows(400));
    EXPECT_TRUE(PictureDrawn());
    EXPECT_EQ("+-+", MenuBecomes("+-+"));
    EXPECT_EQ(saved, ListFileNow()) << "a second file in single-file mode does not save again";

    Close();
    EXPECT_EQ(saved, ListFileNow()) << "the exit leaves the list saved on entry";
}

TEST_F(PlayListTest, ReloadBringsBackTheSavedListAndItsFirstLoadablePicture) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360), c = Picture(L"c.bmp", 400);
    WriteList({a, b});
    Start();
    ASSERT_TRUE(Shows(320));

    // Reload of the list already in play: the file's entries, once.
    Reload();
    EXPECT_EQ("++-", MenuBecomes("++-"));
    EXPECT_TRUE(Shows(320));
    EXPECT_EQ(Paths({a, b}), ListInPlay());

    OpenSingleFile(c);
    ASSERT_TRUE(Shows(400));
    EXPECT_EQ("+-+", MenuBecomes("+-+"));
    EXPECT_EQ(ListFile({a, b}), ListFileNow());

    // The first entry has gone meanwhile: the second shows.
    ASSERT_TRUE(DeleteFileW(a.c_str()));
    Reload();
    EXPECT_TRUE(Shows(360));
    EXPECT_EQ("++-", MenuBecomes("++-"));
    NextPicture();  // one entry left: Next shows it again
    EXPECT_TRUE(Shows(360));

    // Back to one file, then a reload that finds nothing to show.
    OpenSingleFile(c);
    ASSERT_TRUE(Shows(400));
    EXPECT_EQ(ListFile({b}), ListFileNow());
    ASSERT_TRUE(DeleteFileW(b.c_str()));
    Reload();
    EXPECT_EQ("--+", MenuBecomes("--+"));
    EXPECT_EQ(400, WindowWidth()) << "the single file stays on screen";

    Close();
    EXPECT_EQ(ListFile({}), ListFileNow()) << "the play-list is back in use, and empty";
}

TEST_F(PlayListTest, EditorAddsInsertsAndDeletesAndWritesOnlyOnOk) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360);
    const std::wstring c = Picture(L"c.bmp", 400), d = Picture(L"表紙.bmp", 440);
    WriteList({a, b});
    const std::string handWritten = ListFileNow();
    Start();
    ASSERT_TRUE(Shows(320));

    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Paths({a, b}), Entries(editor, IDC_IMAGE_LIST));
    ASSERT_EQ(LB_ERR, Selection(editor, IDC_IMAGE_LIST));
    ClickButton(editor, IDC_DELETE);  // nothing selected: nothing to delete
    AddEntry(editor, c);
    EXPECT_EQ(Paths({a, b, c}), Entries(editor, IDC_IMAGE_LIST)) << "no selection: appended";
    SelectEntry(editor, 1);
    AddEntry(editor, d);
    EXPECT_EQ(Paths({a, d, b, c}), Entries(editor, IDC_IMAGE_LIST)) << "inserted before the selected entry";
    SelectEntry(editor, 2);
    ClickButton(editor, IDC_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return Entries(editor, IDC_IMAGE_LIST) == Paths({a, d, c}); })) << "selected entry deleted";
    CloseEditor(editor, IDCANCEL);
    EXPECT_EQ(handWritten, ListFileNow()) << "Cancel writes nothing";

    editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Paths({a, b}), Entries(editor, IDC_IMAGE_LIST)) << "Cancel left the list as it was";
    SelectEntry(editor, 1);
    AddEntry(editor, c);
    CloseEditor(editor, IDOK);
    EXPECT_EQ(ListFile({a, c, b}), SettledListFile()) << "OK writes the list at once";
    EXPECT_EQ(320, WindowWidth()) << "the picture shown stays";
    EXPECT_EQ("+++", MenuStates());

    NextPicture();
    EXPECT_TRUE(Shows(400)) << "Next walks the edited list";
    Close();
    EXPECT_EQ(ListFile({a, c, b}), ListFileNow());
}

// Explorer's drops, as the hook in the game's thread posts them.
TEST_F(PlayListTest, ADroppedPictureOpensAsFileOpenOpensItAndAnUnusableDropChangesNothing) {
    const std::wstring a = Picture(L"a.bmp", 320), c = Picture(L"c.bmp", 400);
    const std::wstring notes = directory_ + L"notes.txt";
    ASSERT_TRUE(WriteFileBytes(notes, "not a picture"));
    WriteList({a});
    Start();
    ASSERT_TRUE(Shows(320));

    // Drops are handled in turn: had the first one set the list aside, the
    // second would not save it.
    ASSERT_TRUE(game_.DropFiles(game_.window(), {notes, directory_ + L"gone.bmp"}));
    ASSERT_TRUE(game_.DropFiles(game_.window(), {c}));
    EXPECT_TRUE(Shows(400)) << "the dropped picture";
    EXPECT_TRUE(PictureDrawn());
    EXPECT_EQ("+-+", MenuBecomes("+-+")) << "a single file, as File > Open leaves it";
    EXPECT_EQ(ListFile({a}), ListFileNow()) << "the list was saved before it was set aside";
    EXPECT_EQ(Paths(), ListInPlay());
    Close();
    EXPECT_EQ(ListFile({a}), ListFileNow());
}

TEST_F(PlayListTest, ADroppedFolderOrSeveralPicturesJoinThePlayListAndTheFirstShows) {
    const std::wstring a = Picture(L"a.bmp", 320), c = Picture(L"c.bmp", 400), d = Picture(L"d.bmp", 440);
    const std::wstring folder = directory_ + L"holiday\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((folder + L"inner").c_str(), nullptr));
    const std::wstring second = Picture(L"holiday\\Photo 2.bmp", 360), tenth = Picture(L"holiday\\photo 10.bmp", 480);
    Picture(L"holiday\\inner\\deeper.bmp", 500);
    ASSERT_TRUE(WriteFileBytes(folder + L"notes.txt", "not a picture"));
    ASSERT_TRUE(WriteFileBytes(folder + L"song.wav", "a sound file's entry"));
    WriteList({a});
    Start();
    ASSERT_TRUE(Shows(320));

    // The folder's pictures in name order (its sub-folder left out), its
    // sound to the sound list; the play-list is saved at once.
    ASSERT_TRUE(game_.DropFiles(game_.window(), {folder.substr(0, folder.size() - 1)}));
    EXPECT_TRUE(Shows(360)) << "the first of the folder's pictures";
    EXPECT_EQ(ListFile({a, second, tenth}), SettledListFile());
    EXPECT_EQ("+++", MenuStates());
    EXPECT_EQ("#FILE\r\n" + AnsiPath(folder + L"song.wav") + "\r\n#FILE_END\r\n", FileNow(directory_ + L"sound.txt"))
        << "saved with the pictures, before the first was shown";
    NextPicture();
    EXPECT_TRUE(Shows(480)) << "Next walks on through the dropped pictures";

    // From a single file: the pictures join the list kept in kanoze.txt,
    // which is in play again.
    ASSERT_TRUE(game_.DropFiles(game_.window(), {c}));
    ASSERT_TRUE(Shows(400));
    ASSERT_TRUE(game_.DropFiles(game_.window(), {directory_ + L"gone.bmp", d, c}));
    EXPECT_TRUE(Shows(440)) << "the first dropped picture that loads";
    EXPECT_EQ(ListFile({a, second, tenth, d, c}), SettledListFile());
    EXPECT_EQ("++-", MenuBecomes("++-"));
    NextPicture();
    EXPECT_TRUE(Shows(400));
    Close();
    EXPECT_EQ(ListFile({a, second, tenth, d, c}), ListFileNow());
}

TEST_F(PlayListTest, BothEditorsTakeDropsAndWholeFoldersWhereAddPutsAFile) {
    const std::wstring a = Picture(L"a.bmp", 320), b = Picture(L"b.bmp", 360);
    const std::wstring folder = directory_ + L"mixed";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring two = Picture(L"mixed\\b2.bmp", 300), one = Picture(L"mixed\\B1.BMP", 300);
    const std::wstring tune = folder + L"\\tune.wav", song = folder + L"\\song.mp3";
    ASSERT_TRUE(WriteFileBytes(tune, "a sound file's entry"));
    ASSERT_TRUE(WriteFileBytes(song, "a sound file's entry"));
    WriteList({a, b});
    Start();
    ASSERT_TRUE(Shows(320));

    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(game_.DropFiles(editor, {tune, folder}));
    EXPECT_TRUE(WaitUntil([&] { return Entries(editor, IDC_IMAGE_LIST) == Paths({a, b, one, two}); }))
        << "nothing selected: the folder's pictures appended, the sound left out";
    ASSERT_TRUE(game_.DropFiles(game_.window(), {b}));  // behind the editor: taken by neither
    SelectEntry(editor, 1);
    ClickButton(editor, IDC_ADD_FOLDER);
    ASSERT_TRUE(::AnswerFileDialog(L"画像のフォルダを選択", folder)) << "the folder dialog takes the answer";
    EXPECT_EQ(Paths({a, one, two, b, one, two}), Entries(editor, IDC_IMAGE_LIST)) << "inserted before the selection";
    CloseEditor(editor, IDOK);
    EXPECT_EQ(ListFile({a, one, two, b, one, two}), SettledListFile());
    EXPECT_EQ(320, WindowWidth()) << "the picture shown stays";

    ChooseCommand(3, 2);  // サウンド > リストの編集
    editor = WaitForDialog(L"サウンドリストの編集");
    ASSERT_TRUE(editor);
    ClickButton(editor, IDC_ADD_FOLDER);
    ASSERT_TRUE(::AnswerFileDialog(L"サウンドのフォルダを選択", folder));
    ASSERT_TRUE(game_.DropFiles(editor, {two, tune}));
    EXPECT_TRUE(WaitUntil([&] { return Entries(editor, IDC_SOUND_LIST) == Paths({song, tune, tune}); }));
    CloseEditor(editor, IDOK);
    const std::string sounds =
        "#FILE\r\n" + AnsiPath(song) + "\r\n" + AnsiPath(tune) + "\r\n" + AnsiPath(tune) + "\r\n#FILE_END\r\n";
    EXPECT_EQ(sounds, SettledListFile(L"sound.txt"));
    Close();
}

// Entries that another program, a download or a mistyped path left in the
// lists: any length, any bytes. Both editors hand them back as they came.
TEST_F(PlayListTest, BothEditorsGiveBackEveryEntryByteForByteWhateverItsLength) {
    const std::wstring a = Picture(L"a.bmp", 320);
    const std::vector<std::string> odd = {
        "C:\\" + std::string(543, 'p') + ".jpg",          // 550 bytes
        "C:\\" + std::string(1016, 'q') + ".jpg",         // 1023 bytes
        "C:\\" + std::string(4993, 'r') + ".jpg",         // 5000 bytes
        "C:\\photos\\a\x82",                              // a lone lead byte at the end
        "C:\\photos\\\x81\x7f.jpg",                       // a lead byte and no trail byte
        "C:\\\xE5\x86\x99\xE7\x9C\x9F\\\xE8\x8A\xB1.jpg",  // UTF-8
    };
    std::string entries = AnsiPath(a) + "\r\n";
    for (const std::string& entry : odd) entries += entry + "\r\n";
    const std::string pictures = "#FILE\r\n" + entries + std::string(10000000, 'L') + "\r\n#FILE_END\r\n" +
                                 ScoreSection();
    const std::string sounds = "#FILE\r\n" + entries + "#FILE_END\r\n";
    const std::wstring soundFile = directory_ + L"sound.txt";
    ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", pictures));
    ASSERT_TRUE(WriteFileBytes(soundFile, sounds));
    Start();
    ASSERT_TRUE(Shows(320));

    // OK with nothing changed: each file is written anew, byte for byte as it was.
    const auto writtenAgain = [&](const std::wstring& file, HWND editor) {
        FILETIME old = {1, 0};
        HANDLE handle = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFileTime(handle, nullptr, nullptr, &old);
        CloseHandle(handle);
        ClickButton(editor, IDOK);
        // Once the editor is gone the save has run: the probe is answered after it.
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
        game_.Probe(kProbeDpiMessage);
        WIN32_FILE_ATTRIBUTE_DATA now = {};
        GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &now);
        return CompareFileTime(&now.ftLastWriteTime, &old) > 0;
    };
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(8, SendDlgItemMessageW(editor, IDC_IMAGE_LIST, LB_GETCOUNT, 0, 0));
    EXPECT_TRUE(writtenAgain(directory_ + L"kanoze.txt", editor));
    EXPECT_TRUE(ListFileNow() == pictures) << "kanoze.txt changed";

    ChooseCommand(3, 2);  // サウンド > リストの編集
    editor = WaitForDialog(L"サウンドリストの編集");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(writtenAgain(soundFile, editor));
    EXPECT_EQ(sounds, FileNow(soundFile));
    Close();
    EXPECT_TRUE(ListFileNow() == pictures) << "kanoze.txt changed at exit";
}

TEST_F(PlayListTest, EditorInSingleFileModeStartsEmptyAndReloadPlaysWhatOkSaved) {
    const std::wstring a = Picture(L"a.bmp", 320), c = Picture(L"c.bmp", 400), d = Picture(L"d.bmp", 440);
    WriteList({a});
    Start();
    ASSERT_TRUE(Shows(320));
    OpenSingleFile(c);
    ASSERT_TRUE(Shows(400));

    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(Paths(), Entries(editor, IDC_IMAGE_LIST));
    AddEntry(editor, d);
    CloseEditor(editor, IDOK);
    EXPECT_EQ(ListFile({d}), SettledListFile()) << "OK writes at once in single-file mode too";
    EXPECT_EQ("+-+", MenuStates()) << "still one file: Next stays grayed";

    Reload();
    EXPECT_TRUE(Shows(440));
    EXPECT_EQ("++-", MenuBecomes("++-"));
    Close();
    EXPECT_EQ(ListFile({d}), ListFileNow());
}

}  // namespace
