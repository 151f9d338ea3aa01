// The best-time roll's lines, their places and the roll's end.
#include <gtest/gtest.h>

#include "scores/score_roll.h"

namespace {

TEST(ScoreRollLines, EveryEntryOfBothTablesInTableOrderAtItsOffset) {
    HighScoreTable table;
    table.easy[7].seconds = 61;
    table.easy[7].name = "\x96\xbc\x91\x4f";  // a code page 932 name
    table.difficult[48].seconds = 0;
    const std::vector<RollLine> lines = ScoreRollLines(table);
    ASSERT_EQ(198u, lines.size());

    EXPECT_EQ(0, lines[0].offset);
    EXPECT_EQ("High Score (Easy)", lines[0].text);
    EXPECT_TRUE(lines[0].heading);
    EXPECT_EQ(42, lines[1].offset);
    EXPECT_EQ("Size 4 \xC3\x97 4  Time  99 min 0 sec", lines[1].text);
    EXPECT_FALSE(lines[1].heading);
    EXPECT_EQ(78, lines[2].offset);
    EXPECT_EQ("Not regist", lines[2].text);
    EXPECT_TRUE(lines[2].name);
    EXPECT_FALSE(lines[1].name || lines[0].name);
    // 4 columns x 5 rows is the eighth entry of its table.
    EXPECT_EQ(42 + 78 * 7, lines[1 + 2 * 7].offset);
    EXPECT_EQ("Size 4 \xC3\x97 5  Time  1 min 1 sec", lines[1 + 2 * 7].text);
    EXPECT_EQ("\x96\xbc\x91\x4f", lines[2 + 2 * 7].text);
    EXPECT_EQ("Size 5 \xC3\x97 4  Time  99 min 0 sec", lines[3].text);
    EXPECT_EQ(78 * 49, lines[98].offset);

    EXPECT_EQ(78 * 49 + 42, lines[99].offset);
    EXPECT_EQ("High Score (Difficult)", lines[99].text);
    EXPECT_TRUE(lines[99].heading);
    EXPECT_EQ(78 * 49 + 84, lines[100].offset);
    EXPECT_EQ(78 * 49 + 120, lines[101].offset);
    EXPECT_EQ("Size 10 \xC3\x97 10  Time  0 min 0 sec", lines[196].text);
    EXPECT_EQ(78 * 98 + 42, lines[197].offset);
    // A name follows its size line at 36 pixels; everything else comes 42 below.
    for (size_t i = 1; i < lines.size(); ++i) {
        const size_t inTable = i % 99;
        const bool name = inTable != 0 && inTable % 2 == 0;
        EXPECT_EQ(name ? 36 : 42, lines[i].offset - lines[i - 1].offset) << "line " << i;
    }
}

TEST(ScoreRollLines, BestTimesAreShownUnsigned) {
    HighScoreTable table;
    table.easy[6].seconds = 0xFFFFFFFFu;  // 10 columns x 4 rows
    EXPECT_EQ("Size 10 \xC3\x97 4  Time  71582788 min 15 sec", ScoreRollLines(table)[1 + 2 * 6].text);
}

TEST(ScoreRollMovement, A480PixelViewShows1020FramesAndEndsOnThe1021stStep) {
    ScoreRoll roll;
    StartScoreRoll(roll, 640, 480);
    EXPECT_TRUE(roll.scoreRollActive);
    EXPECT_EQ(0, roll.rollLeft);
    EXPECT_EQ(640, roll.rollRight);
    EXPECT_EQ(480, roll.rollTop);
    int frames = 0;
    while (AdvanceScoreRoll(roll)) {
        ++frames;
        if (frames == 1) {
            EXPECT_EQ(472, roll.rollTop) << "the first frame shows the heading's top 8 pixels";
        }
        ASSERT_LT(frames, 2000);
    }
    EXPECT_EQ(1020, frames);
    EXPECT_FALSE(roll.scoreRollActive);
    // The last frame's last name line lay 2 to 9 pixels below the top edge.
    EXPECT_EQ(-7688, roll.rollTop);
}

}  // namespace
