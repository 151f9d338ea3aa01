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
}
