// Where list entries, temporary files and the program's folder lie, and what a name says of its file.
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tests/common/lead_bytes.h"

TEST(Paths, RelativeEntriesLieInTheProgramsFolderWhereverItWasStartedFrom) {
    const std::string folder = "C:\\Games\\Kanoze\\";
    EXPECT_EQ(folder + "pic.bmp", ResolveListEntry(folder, "pic.bmp"));
    EXPECT_EQ(folder + "pics\\two.bmp", ResolveListEntry(folder, "pics\\two.bmp"));
    EXPECT_EQ(folder + "demo\\sunset.bmp", ResolveListEntry(folder, "demo\\sunset.bmp"));
    EXPECT_EQ(folder + "..\\shared\\a.jpg", ResolveListEntry(folder, "..\\shared\\a.jpg"));
    // "表示\a.bmp": a lead byte first is a relative name like any other.
    EXPECT_EQ(folder + "\x95\x5C\x8E\xA6\\a.bmp", ResolveListEntry(folder, "\x95\x5C\x8E\xA6\\a.bmp"));
    for (const char* rooted : {"D:\\pics\\a.bmp", "d:/pics/a.bmp", "C:a.bmp", "\\pics\\a.bmp",
                               "\\\\server\\share\\a.bmp", "\\\\.\\pipe\\svcctl", "/pics/a.bmp"}) {
        EXPECT_EQ(rooted, ResolveListEntry(folder, rooted));
    }
    EXPECT_EQ("", ResolveListEntry(folder, ""));
    EXPECT_EQ("pic.bmp", ResolveListEntry("", "pic.bmp")) << "no program folder: the current one";
}

TEST(Paths, AFileInsideTheProgramsFolderIsNamedRelativeToIt) {
    const std::string folder = "C:\\Games\\Kanoze\\";
    EXPECT_EQ("pic.bmp", ListEntryFor(folder, "C:\\Games\\Kanoze\\pic.bmp", IsCp932LeadByte));
    EXPECT_EQ("pics\\two.bmp", ListEntryFor(folder, "c:\\GAMES\\kanoze\\pics\\two.bmp", IsCp932LeadByte))
        << "Windows names the folder without case";
    for (const char* outside : {"C:\\Games\\Other\\pic.bmp", "C:\\Games\\Kanoze", "C:\\Games\\Kanoze\\", "D:\\pic.bmp",
                                "C:\\Games\\Kanoze\\\\server.bmp"}) {
        EXPECT_EQ(outside, ListEntryFor(folder, outside, IsCp932LeadByte)) << outside;
        EXPECT_EQ(outside, ResolveListEntry(folder, ListEntryFor(folder, outside, IsCp932LeadByte))) << outside;
    }
    EXPECT_EQ("C:\\x.bmp", ListEntryFor("", "C:\\x.bmp", IsCp932LeadByte)) << "no program folder";
    // The two bytes of a double-byte character match exactly: "ア" (0x83 0x41)
    // and "ヂ" (0x83 0x61) differ only by an ASCII letter's case in the trail byte.
    const std::string japanese = "C:\\\x83\x41\\";
    EXPECT_EQ("a.bmp", ListEntryFor(japanese, "C:\\\x83\x41\\a.bmp", IsCp932LeadByte));
    EXPECT_EQ("C:\\\x83\x61\\a.bmp", ListEntryFor(japanese, "C:\\\x83\x61\\a.bmp", IsCp932LeadByte));
}

TEST(Paths, ATemporaryFileIsNeverLongerThanItsList) {
    EXPECT_EQ("C:\\Games\\kanoze.tx~", TemporaryPath("C:\\Games\\kanoze.txt"));
    EXPECT_EQ("C:\\Games\\sound.tx~", TemporaryPath("C:\\Games\\sound.txt"));
    EXPECT_EQ("a.ba_", TemporaryPath("a.ba~"));
    const std::string longest(259, 'x');
    EXPECT_EQ(longest.size(), TemporaryPath(longest).size());
}

TEST(HasExtension, TheLastBytesDecideWithoutCaseAndWithoutADot) {
    const struct {
        const char* name;
        bool bmp;
    } cases[] = {
        {"PHOTO.BMP", true},           {"photo.Bmp", true},  {"photobmp", true},   {"bmp", true},
        {"C:\\\x95\x5C\\x.bmp", true}, {"photo.jpg", false}, {"photo.gif", false}, {"photo.bmp.jpg", false},
        {"photo.bmp ", false},         {"bm", false},        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(c.bmp, HasExtension(c.name, "bmp")) << c.name;
    // Only A-Z fold: '@' (0x40) is not the upper case of '`' (0x60).
    EXPECT_FALSE(HasExtension("x.@MP", "`mp"));
}

constexpr char kPictures[] = "*.bmp;*.jpg;*.gif;*.jpeg;*.tiff";

TEST(MatchesPatterns, TheExtensionDecidesWithoutCase) {
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

TEST(MatchesPatterns, OnlyPlainExtensionPatternsCount) {
    EXPECT_TRUE(MatchesPatterns("song.mp3", "*.mp3"));
    EXPECT_FALSE(MatchesPatterns("song.mp3", ""));
    EXPECT_FALSE(MatchesPatterns("song.mp3", "*.*;*;mp3;*.mp?;.mp3"));
    EXPECT_TRUE(MatchesPatterns("song.mp3", ";;*.wav;;*.mp3;"));
}

// "表" in code page 932: its trail byte is 0x5C, a backslash.
const std::string kOmote = "\x95\x5C";

TEST(ProgramDirectory, PlainPaths) {
    EXPECT_EQ(ProgramDirectory("C:\\Games\\Kanoze\\kanoze.exe", IsCp932LeadByte), "C:\\Games\\Kanoze\\");
    EXPECT_EQ(ProgramDirectory("kanoze.exe", IsCp932LeadByte), "");
    EXPECT_EQ(ProgramDirectory("C:/Games/kanoze.exe", IsCp932LeadByte), "");
    EXPECT_EQ(ProgramDirectory("", IsCp932LeadByte), "");
}

TEST(ProgramDirectory, ATrailByteOfADoubleByteCharacterIsNoSeparator) {
    EXPECT_EQ(ProgramDirectory("C:\\" + kOmote + "\\kanoze.exe", IsCp932LeadByte), "C:\\" + kOmote + "\\");
    EXPECT_EQ(ProgramDirectory("C:\\" + kOmote + "kanoze.exe", IsCp932LeadByte), "C:\\");
    EXPECT_EQ(ProgramDirectory(kOmote + ".exe", IsCp932LeadByte), "");
    // A character whose trail byte is itself in the lead range ("＝"), then a
    // real separator; and a half-width katakana, which is a single byte.
    EXPECT_EQ(ProgramDirectory("C:\\\x81\x81\\k.exe", IsCp932LeadByte), "C:\\\x81\x81\\");
    EXPECT_EQ(ProgramDirectory("C:\\\xB1\\k.exe", IsCp932LeadByte), "C:\\\xB1\\");

    // A lead byte at the very end, in a buffer of exactly the path's size so
    // that reading past it is caught.
    const char text[] = "C:\\dir\\k\x95";
    const size_t size = sizeof text - 1;
    std::unique_ptr<char[]> exact(new char[size]);
    std::memcpy(exact.get(), text, size);
    EXPECT_EQ(ProgramDirectory(std::string_view(exact.get(), size), IsCp932LeadByte), "C:\\dir\\");
}

TEST(ProgramDirectory, ABackslashAfterAnAccentedLetterSeparatesOnWesternSystems) {
    // "Café" in code page 1252: 0xE9 would open a double-byte character in code page 932.
    const std::string path = "C:\\Games\\Caf\xE9\\kanoze.exe";
    ASSERT_EQ(ProgramDirectory(path, HasNoLeadBytes), "C:\\Games\\Caf\xE9\\");
    ASSERT_EQ(ProgramDirectory(path, IsCp932LeadByte), "C:\\Games\\");
}
