// File names against the patterns of a file dialog's filter.
#include "storage/file_kinds.h"

#include <gtest/gtest.h>

namespace {

constexpr char kPictures[] = "*.bmp;*.jpg;*.gif;*.jpeg;*.tiff";

TEST(FileKindsTest, TheExtensionDecidesWithoutCase) {
    EXPECT_TRUE(MatchesPatterns("C:\\Photos\\IMG_0001.JPG", kPictures));
    EXPECT_TRUE(MatchesPatterns("a.Jpeg", kPictures));
    EXPECT_TRUE(MatchesPatterns("scan.tiff", kPictures));
    EXPECT_TRUE(MatchesPatterns("\x95\x5c\x8e\x86.bmp", kPictures)) << "a code page 932 name";
    EXPECT_FALSE(MatchesPatterns("notes.txt", kPictures));
    EXPECT_FALSE(MatchesPatterns("photo.bmp.txt", kPictures));
    EXPECT_FALSE(MatchesPatterns("scan.tif", kPictures)) << "not a prefix of a longer extension";
    EXPECT_FALSE(MatchesPatterns("photobmp", kPictures)) << "the dot belongs to the extension";
    EXPECT_FALSE(MatchesPatterns(".bmp", kPictures)) << "a name is more than its extension";
    EXPECT_FALSE(MatchesPatterns("", kPictures));
}

TEST(FileKindsTest, OnlyPlainExtensionPatternsCount) {
    EXPECT_TRUE(MatchesPatterns("song.mp3", "*.mp3"));
    EXPECT_FALSE(MatchesPatterns("song.mp3", ""));
    EXPECT_FALSE(MatchesPatterns("song.mp3", "*.*;*;mp3;*.mp?;.mp3"));
    EXPECT_TRUE(MatchesPatterns("song.mp3", ";;*.wav;;*.mp3;"));
}

}  // namespace
