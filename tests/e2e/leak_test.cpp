// Hundreds of frames and moves played with the mouse: starts, picks and
// take-backs, right clicks, exchanges with their reveal and picture changes
// must leave the game holding no more GDI or USER objects than before.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "board_player.h"
#include "game_driver.h"

namespace {

constexpr int kSide = 4;  // the board starts at 4 x 4
constexpr int kCells = kSide * kSide;
// Growth allowed between two like moments of play: room for a cache that
// fills late, far below one object per frame.
constexpr long kGrowthBound = 8;
// Private memory allowed to grow over the same stretch: well above what the
// heap wanders by, well below a frame-sized buffer kept every frame.
constexpr long kMemoryGrowthBoundKb = 16 * 1024;
constexpr int kRounds = 4;  // even, so the last picture change comes back to the first picture

struct PictureSize {
    int width, height;
};
// Two sizes, so every picture change moves the cells and resizes the window.
constexpr PictureSize kFirstPicture = {400, 300};
constexpr PictureSize kSecondPicture = {480, 360};

class LeakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        directory_ = MakeProgramDirectory(L"LeakTest");
        const std::wstring first = directory_ + L"first.bmp";
        const std::wstring second = directory_ + L"second.bmp";
        ASSERT_TRUE(WritePositionBmp(first, kFirstPicture.width, kFirstPicture.height));
        ASSERT_TRUE(WritePositionBmp(second, kSecondPicture.width, kSecondPicture.height));
        ASSERT_TRUE(WriteFileBytes(directory_ + L"kanoze.txt", "#FILE\r\n" + AnsiPath(first) + "\r\n" +
                                                                   AnsiPath(second) + "\r\n#FILE_END\r\n"));
        ASSERT_TRUE(game_.Start(directory_ + L"kanoze.exe", directory_));
        // The menu observer also puts the probe hook into the game's thread.
        ASSERT_FALSE(game_.ReadMenu().empty());
    }

    // The board of the picture shown now.
    BoardPlayer& Board() { return picture_.width == kFirstPicture.width ? first_ : second_; }
    int Shown(int cell) { return Board().Shown(cell); }
    bool AllFaceDown() { return Board().FreshBoardShown(); }
    void Click(int cell, bool right = false) { Board().ClickCell(cell, right); }

    // Each move below is checked on the screen, one frame per change seen.

    ::testing::AssertionResult StartGame() {
        if (!game_.ChooseMenuItem(1, -1)) return ::testing::AssertionFailure() << "no スタート on the bar";
        if (!WaitUntil([&] { return AllFaceDown(); })) {
            return ::testing::AssertionFailure() << "スタート shows every cell face down";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult Pick(int cell) {
        Click(cell);
        if (!WaitUntil([&] { return Shown(cell) != -1; })) {
            return ::testing::AssertionFailure() << "cell " << cell << " turns up";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult PickAndTakeBack(int cell) {
        const ::testing::AssertionResult picked = Pick(cell);
        if (!picked) return picked;
        Click(cell);
        if (!WaitUntil([&] { return Shown(cell) == -1; })) {
            return ::testing::AssertionFailure() << "cell " << cell << " turns down when clicked again";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult PickTwoAndRightClick(int first, int second) {
        ::testing::AssertionResult picked = Pick(first);
        if (picked) picked = Pick(second);
        if (!picked) return picked;
        Click((first + second) % kCells, true);
        if (!WaitUntil([&] { return Shown(first) == -1 && Shown(second) == -1; })) {
            return ::testing::AssertionFailure() << "a right click turns cells " << first << " and " << second
                                                 << " down";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    ::testing::AssertionResult Exchange(int first, int second) {
        ::testing::AssertionResult picked = Pick(first);
        if (picked) picked = Pick(second);
        if (!picked) return picked;
        const int firstPiece = Shown(first);
        const int secondPiece = Shown(second);
        Click(second);
        if (!WaitUntil([&] { return Shown(first) == secondPiece && Shown(second) == firstPiece; })) {
            return ::testing::AssertionFailure() << "cells " << first << " and " << second
                                                 << " show their exchanged pieces";
        }
        ++frames_;
        // The reveal lasts 700 ms.
        if (!WaitUntil([&] { return Shown(first) == -1 && Shown(second) == -1; })) {
            return ::testing::AssertionFailure() << "cells " << first << " and " << second
                                                 << " turn down after the reveal";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    // 次の絵: the other picture, on a new board of its own size.
    ::testing::AssertionResult NextPicture() {
        if (!game_.ChooseMenuItem(2, 0)) return ::testing::AssertionFailure() << "no ゲーム設定 menu";
        picture_ = picture_.width == kFirstPicture.width ? kSecondPicture : kFirstPicture;
        if (!WaitUntil([&] {
                return ClientSize(game_.window()).cx == picture_.width && AllFaceDown();
            })) {
            return ::testing::AssertionFailure() << "次の絵 shows a " << picture_.width << " x "
                                                 << picture_.height << " board face down";
        }
        ++frames_;
        return ::testing::AssertionSuccess();
    }

    // One round: about 80 frames.
    ::testing::AssertionResult PlayRound(int round) {
        ::testing::AssertionResult ok = StartGame();
        for (int i = 0; ok && i < 24; ++i) ok = PickAndTakeBack((i * 5 + round) % kCells);
        for (int i = 0; ok && i < 6; ++i) {
            const int first = (i * 3 + round) % kCells;
            ok = PickTwoAndRightClick(first, (first + 1 + i) % kCells);
        }
        if (ok) ok = Exchange(0, kCells - 1);
        if (ok) ok = Exchange(5, 10);
        if (ok) ok = Exchange(3, 12);
        if (ok) ok = NextPicture();
        return ok;
    }

    std::wstring directory_;
    Game game_;
    PictureSize picture_ = kFirstPicture;
    BoardPlayer first_{game_, kFirstPicture.width, kFirstPicture.height, kSide, kSide};
    BoardPlayer second_{game_, kSecondPicture.width, kSecondPicture.height, kSide, kSide};
    int frames_ = 0;
};

TEST_F(LeakTest, HundredsOfFramesAndMovesLeaveNoGdiOrUserObjectsBehind) {
    const DWORD began = GetTickCount();
    ASSERT_TRUE(WaitUntil([&] { return Board().WholePictureShown(); })) << "the first picture is shown before a game";

    // Every kind of move once, both pictures loaded and back to the first,
    // so that whatever is made once and kept is made before counting.
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(PickAndTakeBack(0));
    ASSERT_TRUE(PickTwoAndRightClick(1, 2));
    ASSERT_TRUE(Exchange(4, 11));
    ASSERT_TRUE(NextPicture());
    ASSERT_TRUE(StartGame());
    ASSERT_TRUE(NextPicture());

    Usage before;
    ASSERT_TRUE(game_.ReadUsage(before)) << "the probe hook answers with the game's counts";
    std::printf("before: %s\n", before.Describe().c_str());
    const int framesBefore = frames_;

    for (int round = 0; round < kRounds; ++round) {
        ASSERT_TRUE(PlayRound(round)) << "round " << round;
        Usage now;
        ASSERT_TRUE(game_.ReadUsage(now));
        std::printf("after round %d (%d frames): %s\n", round, frames_ - framesBefore,
                    now.Describe().c_str());
    }

    // The same moment of play as at the first count: a game on the first
    // picture, every cell face down. A reveal's frame may come late, so the
    // counts are given a while to settle.
    Usage after;
    WaitUntil([&] {
        return game_.ReadUsage(after) && after.Gdi() - before.Gdi() <= kGrowthBound &&
               after.User() - before.User() <= kGrowthBound;
    }, 3000);
    const int frames = frames_ - framesBefore;
    std::printf("after: %s\n", after.Describe().c_str());
    std::printf("%d frames counted; growth: GDI %+ld, USER %+ld, private %+ld KB; %lu ms in all\n", frames,
                after.Gdi() - before.Gdi(), after.User() - before.User(),
                after.PrivateKb() - before.PrivateKb(), GetTickCount() - began);

    ASSERT_GE(frames, 300) << "a few hundred frames were drawn";
    EXPECT_LE(after.Gdi() - before.Gdi(), kGrowthBound)
        << "GDI objects left behind by " << frames << " frames";
    EXPECT_LE(after.User() - before.User(), kGrowthBound)
        << "USER objects left behind by " << frames << " frames";
    EXPECT_LE(after.PrivateKb() - before.PrivateKb(), kMemoryGrowthBoundKb)
        << "private memory kept by " << frames << " frames";

    ASSERT_TRUE(game_.ChooseMenuItem(0, kFileCloseItem));  // ファイル > 閉じる
    EXPECT_EQ(0u, game_.WaitForExit());
}

}  // namespace
