// Tests of the saved game's format: what the close writes, the next start
// reads back, and a damaged file is never taken for a game.
#include "storage/saved_game.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SavedGame FiveByFour() {
    SavedGame game;
    game.picturePath = "C:\\\x95\x5C\x8E\xA6\\sky.jpg";  // 表示: a trail byte 0x5C
    game.pictureWidth = 643;
    game.pictureHeight = 481;
    game.columns = 5;
    game.rows = 4;
    game.easyMode = true;
    for (int i = 0; i < 20; ++i) game.cellOrder.push_back((i * 7) % 20);
    game.playedMs = 2147483647u;
    game.exchanges = 12;
    game.rank = SavedRank::Unranked;
    return game;
}

const char kFile[] =
    "#GAME\r\n"
    "PICTURE=C:\\\x95\x5C\x8E\xA6\\sky.jpg\r\n"
    "PICTURE_SIZE=643,481\r\n"
    "BOARD=5,4\r\n"
    "RULE=easy\r\n"
    "ORDER=0,7,14,1,8,15,2,9,16,3,10,17,4,11,18,5,12,19,6,13\r\n"
    "TIME=2147483647\r\n"
    "EXCHANGES=12\r\n"
    "DEAL=unranked\r\n"
    "#GAME_END\r\n";

// kFile with the first occurrence of `from` replaced by `to`.
std::string Damaged(const std::string& from, const std::string& to) {
    std::string bytes = kFile;
    bytes.replace(bytes.find(from), from.size(), to);
    return bytes;
}

}  // namespace

TEST(SavedGame, WrittenAndReadBackTheSameGame) {
    EXPECT_EQ(kFile, FormatSavedGame(FiveByFour()));
    const auto read = ParseSavedGame(kFile);
    ASSERT_TRUE(read);
    EXPECT_EQ(FiveByFour().picturePath, read->picturePath);
    EXPECT_EQ(643, read->pictureWidth);
    EXPECT_EQ(481, read->pictureHeight);
    EXPECT_EQ(5, read->columns);
    EXPECT_EQ(4, read->rows);
    EXPECT_TRUE(read->easyMode);
    EXPECT_EQ(FiveByFour().cellOrder, read->cellOrder);
    EXPECT_EQ(2147483647u, read->playedMs) << "the longest time a game can have been played";
    EXPECT_EQ(SavedRank::Unranked, read->rank);
    EXPECT_EQ(12, read->exchanges);

    SavedGame difficult = FiveByFour();
    difficult.easyMode = false;
    EXPECT_FALSE(ParseSavedGame(FormatSavedGame(difficult))->easyMode);
    SavedGame ranked = FiveByFour();
    ranked.rank = SavedRank::Ranked;
    EXPECT_EQ(SavedRank::Ranked, ParseSavedGame(FormatSavedGame(ranked))->rank);
    // A file written before the deal's rank was kept does not say it.
    EXPECT_EQ(SavedRank::NotSaid, ParseSavedGame(Damaged("DEAL=unranked\r\n", ""))->rank);
    // Nor the exchanges made: none are counted.
    EXPECT_EQ(0, ParseSavedGame(Damaged("EXCHANGES=12\r\n", ""))->exchanges);
    // A path relative to the program's folder, as the play-list keeps one.
    EXPECT_EQ("pics\\sky.jpg", ParseSavedGame(Damaged("C:\\\x95\x5C\x8E\xA6\\", "pics\\"))->picturePath);
    // A picture of one pixel a cell.
    EXPECT_TRUE(ParseSavedGame(Damaged("PICTURE_SIZE=643,481", "PICTURE_SIZE=5,4")));
    // Lines ended by LF alone read the same.
    std::string lfOnly = kFile;
    for (size_t cr; (cr = lfOnly.find('\r')) != std::string::npos;) lfOnly.erase(cr, 1);
    EXPECT_TRUE(ParseSavedGame(lfOnly));
}

TEST(SavedGame, ADamagedFileIsNoGame) {
    const std::string file = kFile;
    for (size_t cut = 0; cut < file.size(); ++cut) {
        EXPECT_FALSE(ParseSavedGame(file.substr(0, cut))) << "cut after " << cut << " bytes";
    }
    const std::pair<std::string, std::string> damages[] = {
        {"#GAME\r", "#game\r"},                  // not the marker
        {"RULE=easy", "RULE=Easy"},              // neither rule
        {"BOARD=5,4", "BOARD=11,4"},             // too many columns
        {"BOARD=5,4", "BOARD=5,3"},              // too few rows
        {"BOARD=5,4", "BOARD=5"},                // one side
        {"BOARD=5,4", "BOARD=+5,4"},             // not plain digits
        {"ORDER=0,7,", "ORDER=7,7,"},            // a piece twice, one missing
        {"ORDER=0,", "ORDER="},                  // one piece short
        {",13\r", ",13,20\r"},                   // one piece too many
        {",13\r", ",13,\r"},                     // an empty value
        {"PICTURE_SIZE=643,481", "PICTURE_SIZE=4,481"},  // cells less than a pixel wide
        {"PICTURE_SIZE=643,481", "PICTURE_SIZE=643,3"},  // cells less than a pixel high
        {"PICTURE=C", std::string("PICTURE=\0C", 10)},   // a path with a NUL
        {"TIME=2147483647", "TIME=2147483648"},  // longer than any game: the clock would wrap
        {"TIME=2147483647", "TIME=4294967295"},
        {"TIME=2147483647", "TIME=4294967296"},  // beyond 32 bits
        {"TIME=2147483647", "TIME=-1"},
        {"DEAL=unranked", "DEAL=maybe"},         // neither rank
        {"EXCHANGES=12", "EXCHANGES=x"},         // not a count
        {"EXCHANGES=12", "EXCHANGES=2147483648"},  // more than are counted
        {"RULE=easy\r\n", "RULE=easy\r\nRULE=easy\r\n"},  // a key twice
        {"RULE=easy\r\n", "RULE=easy\r\nSCORE=5\r\n"},    // a line the format lacks
        {"RULE=easy\r\n", ""},                             // a key missing
    };
    for (const auto& [from, to] : damages) {
        EXPECT_FALSE(ParseSavedGame(Damaged(from, to))) << from << " -> " << to;
    }
    EXPECT_FALSE(ParseSavedGame(""));
    EXPECT_FALSE(ParseSavedGame(std::string(4096, '\xFF')));
    EXPECT_FALSE(ParseSavedGame("#GAME\r\nPICTURE=\r\n" + file.substr(file.find("PICTURE_SIZE"))));
}
