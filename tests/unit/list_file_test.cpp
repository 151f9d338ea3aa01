// Tests of kanoze.txt and sound.txt: the bytes the writers produce and every rule of the reader.
#include "storage/list_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

struct Parsed {
    std::vector<std::string> entries;
    HighScoreTable table;
    Parsed() { ResetHighScores(table); }
};

Parsed Parse(const std::string& bytes) {
    Parsed parsed;
    ParseListFile(bytes, parsed.entries, parsed.table);
    return parsed;
}

std::vector<std::string> Entries(std::initializer_list<const char*> texts) {
    return std::vector<std::string>(texts.begin(), texts.end());
}

void ExpectSameTables(const HighScoreTable& actual, const HighScoreTable& expected) {
    for (int i = 0; i < kSizeCount; ++i) {
        EXPECT_EQ(actual.easyNames[i], expected.easyNames[i]) << "easy " << i;
        EXPECT_EQ(actual.easyBestSeconds[i], expected.easyBestSeconds[i]) << "easy " << i;
        EXPECT_EQ(actual.difficultNames[i], expected.difficultNames[i]) << "difficult " << i;
        EXPECT_EQ(actual.difficultBestSeconds[i], expected.difficultBestSeconds[i]) << "difficult " << i;
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
    saved.table.easyNames[0] = "Hanako";
    saved.table.easyBestSeconds[0] = 83;
    saved.table.easyNames[1] = "";
    saved.table.difficultNames[48] = "Taro";
    saved.table.difficultBestSeconds[48] = 0xFFFFFFFFu;
    saved.table.difficultBestSeconds[47] = 0x80000000u;

    std::string expected =
        "#FILE\r\n"
        "C:\\pics\\cat.bmp\r\n"
        "D:\\\x8E\xCA\x90\x5E\\\x95\x5C.jpg\r\n"
        "#FILE_END\r\n"
        "#SCORE\r\n"
        "NAME=Hanako\r\nSCORE=83\r\n"
        "NAME=\r\nSCORE=5940\r\n";
    for (int i = 2; i < 49; ++i) expected += "NAME=Not regist\r\nSCORE=5940\r\n";
    for (int i = 0; i < 47; ++i) expected += "NAME=Not regist\r\nSCORE=5940\r\n";
    expected += "NAME=Not regist\r\nSCORE=-2147483648\r\n";
    expected += "NAME=Taro\r\nSCORE=-1\r\n";
    expected += "#SCORE_END\r\n";

    const std::string written = FormatImageListFile(entries, saved.table);
    EXPECT_EQ(written, expected);

    // Read into an empty list and a table holding other values everywhere.
    std::vector<std::string> loaded;
    auto table = std::make_unique<HighScoreTable>();
    for (int i = 0; i < kSizeCount; ++i) table->easyNames[i] = table->difficultNames[i] = "stale";
    std::fill_n(table->easyBestSeconds, kSizeCount, 1u);
    std::fill_n(table->difficultBestSeconds, kSizeCount, 1u);
    ParseListFile(written, loaded, *table);
    EXPECT_EQ(loaded, entries);
    ExpectSameTables(*table, saved.table);
}

TEST(ListFile, SoundTxtHoldsTheFileSectionAloneAndEmptyListsKeepTheirMarkers) {
    EXPECT_EQ(FormatSoundListFile(Entries({"C:\\a.mid", "b.wav"})),
              "#FILE\r\nC:\\a.mid\r\nb.wav\r\n#FILE_END\r\n");
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
    EXPECT_EQ(notScores.table.easyBestSeconds[0], 5940u);
    EXPECT_EQ(notScores.table.easyNames[0], "Not regist");
}

TEST(ListFile, WithoutAnExactFileEndEveryLaterLineIsAnEntryScoresToo) {
    const Parsed parsed =
        Parse("#FILE\na.bmp\n#FILE_END \n#file_end\n#SCORE\nNAME=Taro\nSCORE=12\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries,
              Entries({"a.bmp", "#FILE_END ", "#file_end", "#SCORE", "NAME=Taro", "SCORE=12", "#SCORE_END"}));
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 5940u);
    EXPECT_EQ(parsed.table.easyNames[0], "Not regist");
}

TEST(ListFile, AFileLineInsideTheScoresOpensTheFileSectionAndScoresGoOnAfter) {
    const Parsed parsed = Parse("#SCORE\nSCORE=1\n#FILES\nSCORE=2\n#FILE_END\nSCORE=3\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries, Entries({"SCORE=2"}));
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 1u);
    EXPECT_EQ(parsed.table.easyBestSeconds[1], 3u);
    EXPECT_EQ(parsed.table.easyBestSeconds[2], 5940u);
}

TEST(ListFile, EmptyLinesAreEntriesInTheFileSectionAndIgnoredElsewhere) {
    const Parsed parsed = Parse("\n#FILE\n\na.bmp\n\n#FILE_END\n\n#SCORE\n\nNAME=Ken\n\nSCORE=7\n\n#SCORE_END\n");
    EXPECT_EQ(parsed.entries, Entries({"", "a.bmp", ""}));
    EXPECT_EQ(parsed.table.easyNames[0], "Ken");
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 7u);
    EXPECT_EQ(parsed.table.easyBestSeconds[1], 5940u);
}

TEST(ListFile, LineEndings) {
    // LF alone reads like CR LF; a CR anywhere in a line is dropped.
    EXPECT_EQ(Parse("#FILE\na.bmp\r\nb.bmp\n#FILE_END\r\n").entries, Entries({"a.bmp", "b.bmp"}));
    EXPECT_EQ(Parse("#FI\rLE\r\r\nc:\\x\ry.bmp\r\n\r#FILE_END\n").entries, Entries({"c:\\xy.bmp"}));
    // A last line without LF, as a text editor may leave it, is read; CR bytes
    // after the last LF are no line.
    EXPECT_EQ(Parse("#FILE\r\npic.bmp").entries, Entries({"pic.bmp"}));
    EXPECT_EQ(Parse("#FILE\na.bmp\n#FILE_END").entries, Entries({"a.bmp"}));
    EXPECT_EQ(Parse("#SCORE\nSCORE=5").table.easyBestSeconds[0], 5u);
    EXPECT_EQ(Parse("#FILE\na.bmp\n\r").entries, Entries({"a.bmp"}));
    EXPECT_TRUE(Parse("").entries.empty());
    EXPECT_TRUE(Parse("\r\r\r").entries.empty());
}

TEST(ListFile, WhatTextEditorsSaveIsReadAsTheSameList) {
    const std::string list = "#FILE\r\npic.bmp\r\n#FILE_END\r\n#SCORE\r\nNAME=Hanako\r\nSCORE=77\r\n#SCORE_END\r\n";
    for (const std::string& bytes : {"\xEF\xBB\xBF" + list, ReplaceAll(list, "\r\n", "\r")}) {
        const Parsed parsed = Parse(bytes);
        EXPECT_EQ(parsed.entries, Entries({"pic.bmp"}));
        EXPECT_EQ(parsed.table.easyNames[0], "Hanako");
        EXPECT_EQ(parsed.table.easyBestSeconds[0], 77u);
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
    EXPECT_EQ(parsed.table.easyNames[0], "Bob");
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 4u);
    EXPECT_EQ(FormatSoundListFile({"a\0b"s}), "#FILE\r\na\r\n#FILE_END\r\n");
}

TEST(ListFile, TheLastNameBeforeEachScoreNamesTheEntryAtTheCursor) {
    const Parsed parsed = Parse("#SCORE\nNAME=Ann\nNAME=Ben\nSCORE=10\nSCORE=11\nNAME=Cy\nJUNK=1\n#SCORE_END\n");
    EXPECT_EQ(parsed.table.easyNames[0], "Ben");
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 10u);
    EXPECT_EQ(parsed.table.easyNames[1], "Not regist");  // a SCORE alone keeps the old name
    EXPECT_EQ(parsed.table.easyBestSeconds[1], 11u);
    EXPECT_EQ(parsed.table.easyNames[2], "Cy");  // named, but its time never came
    EXPECT_EQ(parsed.table.easyBestSeconds[2], 5940u);
}

TEST(ListFile, ScoresFillEasyFirstThenDifficultAndTheRestIsIgnored) {
    auto scores = [](int count) {
        std::string text = "#SCORE\n";
        for (int i = 0; i < count; ++i) text += "NAME=p" + std::to_string(i) + "\nSCORE=" + std::to_string(i) + "\n";
        return text + "#SCORE_END\n";
    };
    const Parsed few = Parse(scores(48));
    EXPECT_EQ(few.table.easyBestSeconds[47], 47u);
    EXPECT_EQ(few.table.easyBestSeconds[48], 5940u);
    EXPECT_EQ(few.table.difficultBestSeconds[0], 5940u);

    const Parsed fifty = Parse(scores(50));
    EXPECT_EQ(fifty.table.easyBestSeconds[48], 48u);
    EXPECT_EQ(fifty.table.difficultNames[0], "p49");
    EXPECT_EQ(fifty.table.difficultBestSeconds[0], 49u);
    EXPECT_EQ(fifty.table.difficultBestSeconds[1], 5940u);

    const Parsed many = Parse(scores(120));
    EXPECT_EQ(many.table.difficultNames[48], "p97");
    EXPECT_EQ(many.table.difficultBestSeconds[48], 97u);
}

TEST(ListFile, EachReadAppendsAndStartsItsScoresAtTheFirstEntry) {
    // sound.txt goes through the same reader: a score section there counts too.
    const std::string sound = "#FILE\nsong.mid\n#FILE_END\n#SCORE\nNAME=Eve\nSCORE=3\n#SCORE_END\n";
    Parsed parsed;
    parsed.entries.push_back("kept.bmp");
    ParseListFile(sound, parsed.entries, parsed.table);
    ParseListFile(sound, parsed.entries, parsed.table);
    EXPECT_EQ(parsed.entries, Entries({"kept.bmp", "song.mid", "song.mid"}));
    EXPECT_EQ(parsed.table.easyNames[0], "Eve");
    EXPECT_EQ(parsed.table.easyBestSeconds[0], 3u);
    EXPECT_EQ(parsed.table.easyBestSeconds[1], 5940u);
}

TEST(ListFile, ScoresConvertLikeAtoi) {
    const struct {
        const char* text;
        uint32_t seconds;
    } cases[] = {
        {"42", 42},           {"  \t+42", 42},  {"12abc", 12},           {"abc", 0},
        {"", 0},              {"- 5", 0},        {"1 2", 1},              {"-1", 0xFFFFFFFFu},
        {"007", 7},           {"2147483647", 0x7FFFFFFFu},               {"2147483648", 0x7FFFFFFFu},
        {"4294967295", 0x7FFFFFFFu},             {"99999999999999999999999", 0x7FFFFFFFu},
        {"-2147483648", 0x80000000u},            {"-99999999999999999999999", 0x80000000u},
    };
    for (const auto& c : cases) {
        const Parsed parsed = Parse("#SCORE\nSCORE="s + c.text + "\n");
        EXPECT_EQ(parsed.table.easyBestSeconds[0], c.seconds) << '"' << c.text << '"';
    }
}

TEST(ListFile, LongLinesAndLongNamesSurviveARoundTrip) {
    const std::string path = "C:\\" + std::string(5000, 'p') + ".bmp";
    const std::string name = kPhotos + std::string(300, 'n');
    Parsed saved;
    saved.table.difficultNames[10] = name;
    const Parsed loaded = Parse(FormatImageListFile({path}, saved.table));
    EXPECT_EQ(loaded.entries, std::vector<std::string>{path});
    EXPECT_EQ(loaded.table.difficultNames[10], name);
}

