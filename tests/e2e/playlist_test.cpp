// The picture play-list as a player meets it: which picture shows at start-up
// and after Next, a single file opened by hand and the way back by Reload, and
// what reaches kanoze.txt and when.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "playlist_fixture.h"

namespace {

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

}  // namespace
