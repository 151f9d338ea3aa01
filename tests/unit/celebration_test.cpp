// The celebration's texts, layout and movement.
#include <gtest/gtest.h>

#include "scores/celebration.h"

namespace {

TEST(ResetClearState, AClickThatStopsTheCelebrationLeavesTheRevealSet) {
    Play play;
    play.revealPending = true;
    play.startTick = 10;
    play.endTick = 20;
    ClearState clear{ClearMode::Marquee, true};
    ResetClearState(play, clear);
    EXPECT_EQ(clear.clearMode, ClearMode::None);
    EXPECT_FALSE(clear.clearSliding);
    EXPECT_FALSE(ClearIsDue(play));
    EXPECT_EQ(play.startTick, 0u);
    EXPECT_TRUE(play.revealPending);
}

TEST(CelebrationText, SecondsUpToAMinuteThenMinutesAndSeconds) {
    EXPECT_EQ("Clear!\r\n\r\nTime 59sec.", FormatMeasuringText(59999));
    EXPECT_EQ("Time 59sec.", FormatTimeText(59999));
    EXPECT_EQ("Clear!\r\n\r\nTime 1min. 0sec.", FormatMeasuringText(60000));
    EXPECT_EQ("Time 1min. 0sec.", FormatTimeText(60000));
    EXPECT_EQ("Time 0sec.", FormatTimeText(999));
    EXPECT_EQ("Time 99min. 0sec.", FormatTimeText(5940000));
    // The largest elapsed time the tick counter can give.
    EXPECT_EQ("Time 71582min. 47sec.", FormatTimeText(0xFFFFFFFFu));
}

constexpr CaptionMetrics kMetrics = {300, 180, 150};

TEST(CelebrationLayout, TextAsWideAsTheViewSlidesInOnePixelWiderRunsAsMarquee) {
    ClearState clear;
    EXPECT_EQ(kSlideInPeriodMs, StartCelebration(clear, kMetrics, 300, 480));
    EXPECT_EQ(ClearMode::SlideIn, clear.clearMode);
    EXPECT_TRUE(clear.clearSliding);
    EXPECT_EQ(kMarqueePeriodMs, StartCelebration(clear, kMetrics, 299, 480));
    EXPECT_EQ(ClearMode::Marquee, clear.clearMode);
    EXPECT_TRUE(clear.clearSliding);
    // Both texts on one line, the time 32 pixels after "Clear!".
    EXPECT_EQ(299, clear.captionX);
    EXPECT_EQ(299 + 150 + 32, clear.timeX);
    EXPECT_EQ(240 - 30, clear.captionY);
    EXPECT_EQ(clear.captionY, clear.timeY);
}

TEST(CelebrationLayout, SlideInComesToRestCentredAndStays) {
    ClearState clear;
    StartCelebration(clear, kMetrics, 640, 480);
    EXPECT_EQ(640, clear.captionX);
    EXPECT_EQ(736, clear.timeX);
    EXPECT_EQ(240 - 90, clear.captionY);
    EXPECT_EQ(240 + 30, clear.timeY);
    EXPECT_EQ(320 - 75, clear.captionTargetX);
    EXPECT_EQ(320 - 150, clear.timeTargetX);

    const int captionSteps[] = {544, 448, 352, 256, 245};
    const int timeSteps[] = {640, 544, 448, 352, 256};
    for (int step = 0; step < 5; ++step) {
        const CelebrationFrame frame = StepCelebration(clear, 640);
        EXPECT_EQ(captionSteps[step], frame.captionLeft) << "step " << step;
        EXPECT_EQ(timeSteps[step], frame.timeLeft) << "step " << step;
        EXPECT_TRUE(clear.clearSliding);
    }
    // The step that brings the time to its target shows both texts at rest.
    CelebrationFrame frame = StepCelebration(clear, 640);
    EXPECT_FALSE(clear.clearSliding);
    EXPECT_EQ(245, frame.captionLeft);
    EXPECT_EQ(170, frame.timeLeft);
    EXPECT_EQ(150, frame.captionTop);
    EXPECT_EQ(270, frame.timeTop);
    for (int step = 0; step < 3; ++step) {
        frame = StepCelebration(clear, 640);
        EXPECT_EQ(245, frame.captionLeft);
        EXPECT_EQ(170, frame.timeLeft);
        EXPECT_EQ(ClearMode::SlideIn, clear.clearMode);
    }
}

TEST(CelebrationLayout, MarqueeTextsWrapIndependentlyOncePastMinus400) {
    ClearState clear;
    StartCelebration(clear, kMetrics, 200, 480);
    clear.captionX = -392;
    clear.timeX = -384;
    CelebrationFrame frame = StepCelebration(clear, 200);
    EXPECT_EQ(200, frame.captionLeft) << "-408 re-enters at the right edge";
    EXPECT_EQ(-400, frame.timeLeft) << "exactly -400 stays";
    frame = StepCelebration(clear, 200);
    EXPECT_EQ(184, frame.captionLeft);
    EXPECT_EQ(200, frame.timeLeft);
    EXPECT_TRUE(clear.clearSliding) << "a marquee never comes to rest";
}

}  // namespace

TEST(CelebrationLayout, WithoutAnimationsTheTextsStandCentredFromTheFirstFrame) {
    ClearState clear;
    StartCelebration(clear, kMetrics, 640, 480);
    RestCelebration(clear, kMetrics, 640, 480);
    EXPECT_FALSE(clear.clearSliding);
    const CelebrationFrame first = StepCelebration(clear, 640);
    EXPECT_EQ(320 - 75, first.captionLeft);
    EXPECT_EQ(240 - 90, first.captionTop);
    EXPECT_EQ(320 - 150, first.timeLeft);
    EXPECT_EQ(240 + 30, first.timeTop);
    const CelebrationFrame later = StepCelebration(clear, 640);
    EXPECT_EQ(first.captionLeft, later.captionLeft);
    EXPECT_EQ(first.timeLeft, later.timeLeft);

    // Wider than the view: still at rest, from the left edge.
    StartCelebration(clear, kMetrics, 200, 480);
    RestCelebration(clear, kMetrics, 200, 480);
    const CelebrationFrame narrow = StepCelebration(clear, 200);
    EXPECT_EQ(100 - 75, narrow.captionLeft);
    EXPECT_EQ(0, narrow.timeLeft);
    EXPECT_EQ(narrow.timeLeft, StepCelebration(clear, 200).timeLeft);
}
