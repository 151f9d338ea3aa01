// Tests of kanoze.txt and sound.txt: the bytes the writers produce and every rule of the reader.
#include "storage/list_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/common/score_section.h"

using namespace std::string_literals;

namespace {

using Parsed = ListFileContent;

// Read over a table of the defaults, as at start-up.
Parsed Parse(const std::string& bytes) {
    return ParseListFile(bytes, HighScoreTable());
}

std::vector<std::string> Entries(std::initializer_list<const char*> texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

void ExpectSameTables(const HighScoreTable& actual, const HighScoreTable& expected) {
    for (int i = 0; i < kSizeCount; ++i) {
        EXPECT_EQ(actual.easy[i].name, expected.easy[i].name) << "easy " << i;
        EXPECT_EQ(actual.easy[i].seconds, expected.easy[i].seconds) << "easy " << i;
        EXPECT_EQ(actual.difficult[i].name, expected.difficult[i].name) << "difficult " << i;
        EXPECT_EQ(actual.difficult[i].seconds, expected.difficult[i].seconds) << "difficult " << i;
    }
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// "写真" in code page 932; the second byte of "表" is a backslash.
const std::string kPhotos = "\x8E\xCA\x90\x5E";
const std::string kOmote = "\x95\x5C";

}  // namespace

TEST(ListFile, KanozeTxtIsWrittenByteForByteAndReadsBackTheSame) {
    const std::vector<std::string> entries = {"C:\\pics\\cat.bmp", "D:\\" + kPhotos + "\\" + kOmote + ".jpg"};
    Parsed saved;
    saved.table.easy[0].name = "Hanako";
    saved.table.easy[0].seconds = 83;
    saved.table.easy[1].name = "";
    saved.table.difficult[48].name = "Taro";
    saved.table.difficult[48].seconds = 0xFFFFFFFFu;
    saved.table.difficult[47].seconds = 0x80000000u;

    std::string expected =
        "#FILE\r\n"
        "C:\\pics\\cat.bmp\r\n"
        "D:\\\x8E\xCA\x90\x5E\\\x95\x5C.jpg\r\n"
        "#FILE_END\r\n" +
        ScoreSection({{0, "Hanako", 83}, {1, "", 5940}, {96, "Not regist", -2147483648LL}, {97, "Taro", -1}});

    const std::string written = FormatImageListFile(entries, saved.table);
    EXPECT_EQ(written, expected);

    // Read over a table holding other values everywhere.
    HighScoreTable stale;
    for (BestTime& entry : stale.easy) entry = {1u, "stale"};
    for (BestTime& entry : stale.difficult) entry = {1u, "stale"};
    const ListFileContent loaded = ParseListFile(written, stale);
    EXPECT_EQ(loaded.entries, entries);
    ExpectSameTables(loaded.table, saved.table);
}

TEST(ListFile, SoundTxtHoldsTheFileSectionAloneAndEmptyListsKeepTheirMarkers) {
    EXPECT_EQ(FormatSoundListFile(Entries({"C:\\a.mid", "b.wav"})), "#FILE\r\nC:\\a.mid\r\nb.wav\r\n#FILE_END\r\n");
    EXPECT_EQ(FormatSoundListFile({}), "#FILE\r\n#FILE_END\r\n");

    Parsed parsed;
    const std::string image = FormatImageListFile({}, parsed.table);
    EXPECT_EQ(image.substr(0, 26), "#FILE\r\n#FILE_END\r\n#SCORE\r\n");
    EXPECT_EQ(image.substr(image.size() - 12), "#SCORE_END\r\n");
}

TEST(ListFile, FileMarkerIsAPrefixScoreMarkerIsAWholeLine) {
    EXPECT_EQ(Parse("#FILEX\na.bmp\n#FILE_END\n").entries, Entries({"a.bmp"}));
    EXPECT_EQ(Parse("#FILE_LIST\na.bmp\n#FILE_END\n").entries, Entries({"a.bmp"}));

    // "#FILE_END" outside the section closes nothing and opens nothing.
    EXPECT_TRUE(Parse("#FILE_END\na.bmp\n").entries.empty());

    const Parsed notScores = Parse("#SCOREX\nNAME=Cheat\nSCORE=1\n#SCORE_END\n#score\nSCORE=2\n");
    EXPECT_EQ(notScores.table.easy[0].seconds, 5940u);
    EXPECT_EQ(notScores.table.easy[0].name, "Not regist");
}

TEST(ListFile, WithoutAnExactFileEndEveryLaterLineIsAnEntryScoresToo) {
    const Parsed parsed = Parse("#FILE\na.bmp\n#FILE_END \n#file_end\n#SCORE\nNAME=Taro\nSCORE=12\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries,
              Entries({"a.bmp", "#FILE_END ", "#file_end", "#SCORE", "NAME=Taro", "SCORE=12", "#SCORE_END"}));
    EXPECT_EQ(parsed.table.easy[0].seconds, 5940u);
    EXPECT_EQ(parsed.table.easy[0].name, "Not regist");
}

TEST(ListFile, AFileLineInsideTheScoresOpensTheFileSectionAndScoresGoOnAfter) {
    const Parsed parsed = Parse("#SCORE\nSCORE=1\n#FILES\nSCORE=2\n#FILE_END\nSCORE=3\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries, Entries({"SCORE=2"}));
    EXPECT_EQ(parsed.table.easy[0].seconds, 1u);
    EXPECT_EQ(parsed.table.easy[1].seconds, 3u);
    EXPECT_EQ(parsed.table.easy[2].seconds, 5940u);
}

TEST(ListFile, EmptyLinesAreEntriesInTheFileSectionAndIgnoredElsewhere) {
    const Parsed parsed = Parse("\n#FILE\n\na.bmp\n\n#FILE_END\n\n#SCORE\n\nNAME=Ken\n\nSCORE=7\n\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries, Entries({"", "a.bmp", ""}));
    EXPECT_EQ(parsed.table.easy[0].name, "Ken");
    EXPECT_EQ(parsed.table.easy[0].seconds, 7u);
    EXPECT_EQ(parsed.table.easy[1].seconds, 5940u);
}

TEST(ListFile, LineEndings) {
    // LF alone reads like CR LF; a CR anywhere in a line is dropped.
    EXPECT_EQ(Parse("#FILE\na.bmp\r\nb.bmp\n#FILE_END\r\n").entries, Entries({"a.bmp", "b.bmp"}));
    EXPECT_EQ(Parse("#FI\rLE\r\r\nc:\\x\ry.bmp\r\n\r#FILE_END\n").entries, Entries({"c:\\xy.bmp"}));
    // A last line without LF, as a text editor may leave it, is read; CR bytes
    // after the last LF are no line.
    EXPECT_EQ(Parse("#FILE\r\npic.bmp").entries, Entries({"pic.bmp"}));
    EXPECT_EQ(Parse("#FILE\na.bmp\n#FILE_END").entries, Entries({"a.bmp"}));
    EXPECT_EQ(Parse("#SCORE\nSCORE=5").table.easy[0].seconds, 5u);
    EXPECT_EQ(Parse("#FILE\na.bmp\n\r").entries, Entries({"a.bmp"}));
    EXPECT_TRUE(Parse("").entries.empty());
    EXPECT_TRUE(Parse("\r\r\r").entries.empty());
}

TEST(ListFile, WhatTextEditorsSaveIsReadAsTheSameList) {
    const std::string list = "#FILE\r\npic.bmp\r\n#FILE_END\r\n#SCORE\r\nNAME=Hanako\r\nSCORE=77\r\n#SCORE_END\r\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + list, ReplaceAll(list, "\r\n", "\r")}) {
        const Parsed parsed = Parse(bytes);
        EXPECT_EQ(parsed.entries, Entries({"pic.bmp"}));
        EXPECT_EQ(parsed.table.easy[0].name, "Hanako");
        EXPECT_EQ(parsed.table.easy[0].seconds, 77u);
        EXPECT_TRUE(HoldsListFile(bytes));
    }
    // UTF-16, or a text that is no list: nothing the reader knows, so the
    // file is not taken for an empty list that a save could write over it.
    std::string utf16 = "\xFF\xFE";
    for (const char c : list) utf16 += std::string{c, '\0'};
    EXPECT_FALSE(HoldsListFile(utf16));
    EXPECT_FALSE(HoldsListFile("a shopping list\r\n"));
    EXPECT_TRUE(HoldsListFile(""));
    EXPECT_TRUE(HoldsListFile("#SCORE\n"));
}

TEST(ListFile, TextStopsAtANulByteInsideALine) {
    const Parsed parsed = Parse("#FILE\na.bmp\0junk\n#FILE_END\0junk\nb.bmp\n#SCORE\nNAME=Bob\0junk\nSCORE=4\0 2\n"s);
    EXPECT_EQ(parsed.entries, Entries({"a.bmp"}));
    EXPECT_EQ(parsed.table.easy[0].name, "Bob");
    EXPECT_EQ(parsed.table.easy[0].seconds, 4u);
    EXPECT_EQ(FormatSoundListFile({"a\0b"s}), "#FILE\r\na\r\n#FILE_END\r\n");
}

TEST(ListFile, TheLastNameBeforeEachScoreNamesTheEntryAtTheCursor) {
    const Parsed parsed = Parse("#SCORE\nNAME=Ann\nNAME=Ben\nSCORE=10\nSCORE=11\nNAME=Cy\nJUNK=1\n#SCORE_END\n");
    EXPECT_EQ(parsed.table.easy[0].name, "Ben");
    EXPECT_EQ(parsed.table.easy[0].seconds, 10u);
    EXPECT_EQ(parsed.table.easy[1].name, "Not regist");  // a SCORE alone keeps the old name
    EXPECT_EQ(parsed.table.easy[1].seconds, 11u);
    EXPECT_EQ(parsed.table.easy[2].name, "Cy");  // named, but its time never came
    EXPECT_EQ(parsed.table.easy[2].seconds, 5940u);
}

TEST(ListFile, ScoresFillEasyFirstThenDifficultAndTheRestIsIgnored) {
    auto scores = [](int count) {
        std::string text = "#SCORE\n";
        for (int i = 0; i < count; ++i) text += "NAME=p" + std::to_string(i) + "\nSCORE=" + std::to_string(i) + "\n";
        return text + "#SCORE_END\n";
    };
    const Parsed few = Parse(scores(48));
    EXPECT_EQ(few.table.easy[47].seconds, 47u);
    EXPECT_EQ(few.table.easy[48].seconds, 5940u);
    EXPECT_EQ(few.table.difficult[0].seconds, 5940u);

    const Parsed fifty = Parse(scores(50));
    EXPECT_EQ(fifty.table.easy[48].seconds, 48u);
    EXPECT_EQ(fifty.table.difficult[0].name, "p49");
    EXPECT_EQ(fifty.table.difficult[0].seconds, 49u);
    EXPECT_EQ(fifty.table.difficult[1].seconds, 5940u);

    const Parsed many = Parse(scores(120));
    EXPECT_EQ(many.table.difficult[48].name, "p97");
    EXPECT_EQ(many.table.difficult[48].seconds, 97u);
}

TEST(ListFile, EachReadStartsItsScoresAtTheFirstEntryOverTheTableItIsGiven) {
    // sound.txt goes through the same reader: a score section there counts too.
    const std::string sound = "#FILE\nsong.mid\n#FILE_END\n#SCORE\nNAME=Eve\nSCORE=3\n#SCORE_END\n";
    HighScoreTable held;
    held.easy[1] = {42u, "Held"};
    const Parsed first = ParseListFile(sound, held);
    const Parsed second = ParseListFile(sound, first.table);
    EXPECT_EQ(second.entries, Entries({"song.mid"}));
    EXPECT_EQ(second.table.easy[0].name, "Eve");
    EXPECT_EQ(second.table.easy[0].seconds, 3u);
    EXPECT_EQ(second.table.easy[1].seconds, 42u) << "an entry the file does not reach keeps its value";
    EXPECT_EQ(second.table.easy[1].name, "Held");
    EXPECT_EQ(second.table.easy[2].seconds, 5940u);
}

TEST(ListFile, ScoresConvertLikeAtoi) {
    const struct {
        const char* text;
        uint32_t seconds;
    } cases[] = {
        {"42", 42},
        {"  \t+42", 42},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"1 2", 1},
        {"-1", 0xFFFFFFFFu},
        {"007", 7},
        {"2147483647", 0x7FFFFFFFu},
        {"2147483648", 0x7FFFFFFFu},
        {"4294967295", 0x7FFFFFFFu},
        {"99999999999999999999999", 0x7FFFFFFFu},
        {"-2147483648", 0x80000000u},
        {"-99999999999999999999999", 0x80000000u},
    };
    for (const auto& c : cases) {
        const Parsed parsed = Parse("#SCORE\nSCORE="s + c.text + "\n");
        EXPECT_EQ(parsed.table.easy[0].seconds, c.seconds) << '"' << c.text << '"';
    }
}

TEST(ListFile, LongLinesAndLongNamesSurviveARoundTrip) {
    const std::string path = "C:\\" + std::string(5000, 'p') + ".bmp";
    const std::string name = kPhotos + std::string(300, 'n');
    Parsed saved;
    saved.table.difficult[10].name = name;
    const Parsed loaded = Parse(FormatImageListFile({path}, saved.table));
    EXPECT_EQ(loaded.entries, std::vector<std::string>{path});
    EXPECT_EQ(loaded.table.difficult[10].name, name);
}
