// Where list entries and temporary files lie.
#include "storage/paths.h"

#include <gtest/gtest.h>

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

TEST(Paths, ATemporaryFileIsNeverLongerThanItsList) {
    EXPECT_EQ("C:\\Games\\kanoze.tx~", TemporaryPath("C:\\Games\\kanoze.txt"));
    EXPECT_EQ("C:\\Games\\sound.tx~", TemporaryPath("C:\\Games\\sound.txt"));
    EXPECT_EQ("a.ba_", TemporaryPath("a.ba~"));
    const std::string longest(259, 'x');
    EXPECT_EQ(longest.size(), TemporaryPath(longest).size());
}
