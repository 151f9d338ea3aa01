// The play-list's editor and Explorer's drops: entries added, inserted and
// deleted, whole folders and several pictures dropped on the window or an
// editor, and entries of any length handed back byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "playlist_fixture.h"

namespace {

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

// A folder of twenty thousand pictures dropped on the editor: the list box
// takes them in one go, not one redraw at a time (minutes, once).
TEST_F(PlayListTest, AFolderOfTwentyThousandPicturesDroppedOnTheEditorComesInAtOnce) {
    const std::wstring a = Picture(L"a.bmp", 320);
    // Twenty thousand empty files named p00000.jpg on, made by the runner.
    const std::wstring folder = Environment(L"KANOZE_E2E_MANY") + L"\\";
    constexpr LRESULT kFiles = 20000;
    WriteList({a});
    Start();
    ASSERT_TRUE(Shows(320));
    HWND editor = OpenEditor();
    ASSERT_TRUE(editor);
    ASSERT_TRUE(game_.DropFiles(editor, {folder}));
    HWND list = GetDlgItem(editor, IDC_IMAGE_LIST);
    // Asked without waiting on a game that is busy: its answer comes only
    // once it has taken them all.
    const auto count = [&] {
        DWORD_PTR entries = 0;
        return SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, 1000, &entries) ? LRESULT(entries) : -1;
    };
    EXPECT_TRUE(WaitUntil([&] { return count() == kFiles + 1; }, 60000)) << count() << " entries";
    wchar_t last[MAX_PATH] = {};
    SendMessageW(list, LB_GETTEXT, kFiles, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(folder + L"p19999.jpg", last) << "in name order, after the list's own";
    CloseEditor(editor, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return ListFileNow().find("p19999.jpg\r\n#FILE_END") != std::string::npos; }));
    Close();
}

}  // namespace
