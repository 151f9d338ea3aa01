// Tests of the settings file's values: the player's choices come back, and
// anything damaged gives the defaults.
#include "storage/settings.h"

#include <gtest/gtest.h>

TEST(Settings, TheChoicesComeBackAsTheyWereWritten) {
    Settings chosen;
    chosen.columns = 10;
    chosen.rows = 7;
    chosen.easyMode = true;
    chosen.playerName = "\x89\xD4\x8E\x71 Taro";  // 花子 in code page 932
    const Settings read = ParseSettings(FormatSettings(chosen));
    EXPECT_EQ(10, read.columns);
    EXPECT_EQ(7, read.rows);
    EXPECT_TRUE(read.easyMode);
    EXPECT_EQ(chosen.playerName, read.playerName);
    EXPECT_FALSE(ParseSettings(FormatSettings(Settings())).easyMode);
}

TEST(Settings, MissingOrDamagedValuesGiveTheDefaults) {
    const Settings none = ParseSettings({});
    EXPECT_EQ(4, none.columns);
    EXPECT_EQ(4, none.rows);
    EXPECT_FALSE(none.easyMode);
    EXPECT_EQ("", none.playerName);

    for (const char* side : {"3", "11", "0", "-5", "5x", " 5", "05 ", "100", "\x82\x54"}) {
        EXPECT_EQ(4, ParseSettings({side, side, "", ""}).columns) << side;
        EXPECT_EQ(4, ParseSettings({side, side, "", ""}).rows) << side;
    }
    EXPECT_EQ(6, ParseSettings({"6", "x", "", ""}).columns) << "each value stands alone";
    EXPECT_EQ(4, ParseSettings({"6", "x", "", ""}).rows);
    for (const char* rule : {"EASY", "easy ", "1", "\xFF"}) EXPECT_FALSE(ParseSettings({"", "", rule, ""}).easyMode);
    EXPECT_EQ("", ParseSettings({"", "", "", std::string(256, 'a')}).playerName) << "longer than a name can be";
    EXPECT_EQ(std::string(255, 'a'), ParseSettings({"", "", "", std::string(255, 'a')}).playerName);
    EXPECT_EQ("", ParseSettings({"", "", "", "Ta\x01ro"}).playerName);

    EXPECT_TRUE(none.showReadOut);
    EXPECT_EQ(3, none.volumeStep) << "full";
    for (const char* volume : {"4", "-1", "01", "x"}) {
        EXPECT_EQ(3, ParseSettings({"", "", "", "", "", volume}).volumeStep) << volume;
    }
    Settings chosen;
    chosen.showReadOut = false;
    chosen.volumeStep = 0;
    const Settings read = ParseSettings(ReadSettingsFile(UpdateSettingsFile("", FormatSettings(chosen))));
    EXPECT_FALSE(read.showReadOut);
    EXPECT_EQ(0, read.volumeStep) << "mute";
}

TEST(SettingsFile, ANameComesBackByteForByteWhateverItHolds) {
    // A lone lead byte of code page 932, quotes and blanks at either end: no
    // code page stands between the name and the file.
    for (const std::string& name :
         {std::string("\x82"), std::string(" Ta\"ro\x81 "), std::string("\x89\xD4\x8E\x71")}) {
        Settings chosen;
        chosen.playerName = name;
        const std::string file = UpdateSettingsFile("", FormatSettings(chosen));
        EXPECT_EQ(name, ParseSettings(ReadSettingsFile(file)).playerName) << file;
        EXPECT_EQ(file, UpdateSettingsFile(file, FormatSettings(chosen))) << "written again unchanged";
    }
}

TEST(SettingsFile, ReadAsWindowsWroteItAndEverythingElseInItKept) {
    // As the profile functions wrote it, and edited by hand since.
    const std::string written =
        "; my notes\r\n[Other]\r\nName=not mine\r\n[kanoze]\r\ncolumns = 7\r\nRows=5\r\n"
        "rule=easy\r\nName=\"Hanako\"\r\nExtra=1\r\n[Last]\r\nx=y\r\n";
    const Settings read = ParseSettings(ReadSettingsFile(written));
    EXPECT_EQ(7, read.columns);
    EXPECT_EQ(5, read.rows);
    EXPECT_TRUE(read.easyMode);
    EXPECT_EQ("Hanako", read.playerName);

    Settings chosen = read;
    chosen.columns = 9;
    EXPECT_EQ(
        "; my notes\r\n[Other]\r\nName=not mine\r\n[kanoze]\r\nColumns=9\r\nRows=5\r\n"
        "Rule=easy\r\nName=\"Hanako\"\r\nExtra=1\r\nReadOut=on\r\nVolume=3\r\n[Last]\r\nx=y\r\n",
        UpdateSettingsFile(written, FormatSettings(chosen)));
    // A section without some keys gets them at its end; a file without the section gets it.
    EXPECT_EQ("[Kanoze]\r\nRows=5\r\nColumns=9\r\nRule=easy\r\nName=\"Hanako\"\r\nReadOut=on\r\nVolume=3\r\n[Last]\r\n",
              UpdateSettingsFile("[Kanoze]\nRows=4\n[Last]\n", FormatSettings(chosen)));
    EXPECT_EQ("x\r\n[Kanoze]\r\nColumns=9\r\nRows=5\r\nRule=easy\r\nName=\"Hanako\"\r\nReadOut=on\r\nVolume=3\r\n",
              UpdateSettingsFile("x", FormatSettings(chosen)));
    // A file saved as UTF-16 is no text of this kind: the defaults, then written afresh.
    const std::string utf16("\xFF\xFE[\0K\0", 6);
    EXPECT_EQ(4, ParseSettings(ReadSettingsFile(utf16)).columns);
    EXPECT_EQ(0u, UpdateSettingsFile(utf16, FormatSettings(chosen)).find("[Kanoze]\r\nColumns=9"));
}
