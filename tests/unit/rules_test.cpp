// Tests of the rules of play: clicks to cells, picking and exchanging, reveals and ticks.
#include "game/rules.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

// A 4 x 4 game in progress: every piece home except those of cells 2 and 5,
// which lie in each other's cell; unless `oneExchangeFromSolved`, cells 8 and
// 9 are swapped too.
struct Game {
    Board board;
    Play play;

    explicit Game(bool oneExchangeFromSolved = false) {
        for (int i = 0; i < kMaxCellCount; ++i) board.cellOrder[i] = i;
        std::swap(board.cellOrder[2], board.cellOrder[5]);
        if (!oneExchangeFromSolved) std::swap(board.cellOrder[8], board.cellOrder[9]);
        play.playing = true;
        play.startTick = 5000;
    }
    ClickOutcome On(int cell, uint32_t tick = 9000) { return ApplyCellClick(board, play, cell, tick); }
};

}  // namespace

TEST(CellAtPoint, CellsRunRowByRowAndTheClientOriginIsDropped) {
    EXPECT_EQ(CellAtPoint(0, 0, 640, 480, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(1, 0, 640, 480, 4, 4), 0);
    EXPECT_EQ(CellAtPoint(0, 1, 640, 480, 4, 4), 0);
    EXPECT_EQ(CellAtPoint(160, 0, 640, 480, 4, 4), 1);
    EXPECT_EQ(CellAtPoint(0, 120, 640, 480, 4, 4), 4);
    EXPECT_EQ(CellAtPoint(639, 479, 640, 480, 4, 4), 15);
    // 7 columns x 9 rows of 91 x 53 on a 637 x 477 board.
    EXPECT_EQ(CellAtPoint(91 * 3, 53 * 2, 637, 477, 7, 9), 2 * 7 + 3);
    EXPECT_EQ(CellAtPoint(636, 476, 637, 477, 7, 9), 62);
}

TEST(CellAtPoint, PointsPastTheWholeCellsOrOnABoardWithoutAreaBelongToNoCell) {
    // A 643 x 481 window over a 640 x 480 board: without the guard the click
    // below the last row would name cell 16 of a 16-cell board.
    EXPECT_EQ(CellAtPoint(641, 10, 643, 481, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(10, 480, 643, 481, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(637, 100, 637, 477, 7, 9), -1);
    EXPECT_EQ(CellAtPoint(0xFFFF, 0xFFFF, 640, 480, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(-1, 10, 640, 480, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(10, -1, 640, 480, 4, 4), -1);
    // A picture narrower than the columns or lower than the rows.
    EXPECT_EQ(CellAtPoint(1, 1, 3, 480, 4, 4), -1);
    EXPECT_EQ(CellAtPoint(1, 1, 640, 9, 4, 10), -1);
}

TEST(CellShows, CardBacksExceptPicksAndInEasyModeThePiecesAtHome) {
    Game game;  // cells 2/5 and 8/9 hold each other's pieces
    game.play.firstPick = 2;
    game.play.secondPick = 8;
    for (int cell = 0; cell < 16; ++cell) {
        const int shows = CellShows(game.board, game.play, cell);
        if (cell == 2 || cell == 8) {
            EXPECT_EQ(shows, game.board.cellOrder[cell]) << cell;
        } else {
            EXPECT_EQ(shows, kCardBack) << cell;
        }
    }
    game.board.easyMode = true;
    game.play.firstPick = 5;
    game.play.secondPick = -1;
    for (int cell = 0; cell < 16; ++cell) {
        const bool away = cell == 2 || cell == 8 || cell == 9;
        EXPECT_EQ(CellShows(game.board, game.play, cell), away ? kCardBack : game.board.cellOrder[cell]) << cell;
    }
}

TEST(CellShows, InEasyModeAPieceThatLooksLikeTheCellsOwnStaysFaceUp) {
    Game game;  // pieces 2 and 5 lie in each other's cell
    game.board.easyMode = true;
    game.board.lookAlike[2][5] = game.board.lookAlike[5][2] = true;
    EXPECT_EQ(CellShows(game.board, game.play, 2), 5);
    EXPECT_EQ(CellShows(game.board, game.play, 5), 2);
    EXPECT_EQ(CellShows(game.board, game.play, 8), kCardBack);
}

TEST(StartPlay, ANewGameHasNoPicksAndStoppingItWaitsForNoReveal) {
    Play play;
    play.firstPick = 3;
    play.secondPick = 7;
    play.revealPending = true;
    StartPlay(play);
    EXPECT_TRUE(play.playing);
    EXPECT_EQ(play.firstPick, -1);
    EXPECT_EQ(play.secondPick, -1);
    EXPECT_TRUE(play.revealPending) << "a running reveal is ended by its own timer call";
    play.firstPick = 4;
    StopPlay(play);
    EXPECT_FALSE(play.playing);
    EXPECT_FALSE(play.revealPending);
    EXPECT_EQ(play.firstPick, -1);
}

TEST(Picking, FirstClickPicksAndClickingItAgainTakesItBack) {
    Game game;
    EXPECT_EQ(game.On(3), ClickOutcome::Picked);
    EXPECT_EQ(game.play.firstPick, 3);
    EXPECT_EQ(game.play.secondPick, -1);

    EXPECT_EQ(game.On(3), ClickOutcome::PickTakenBack);
    EXPECT_EQ(game.play.firstPick, -1);
    EXPECT_EQ(game.play.secondPick, -1);
}

TEST(Picking, TwoPicksThenTheFirstAgainOrAThirdCellClearsBothWithoutExchange) {
    for (int third : {2, 11}) {
        Game game;
        game.On(2);
        EXPECT_EQ(game.On(5), ClickOutcome::Picked);
        EXPECT_EQ(game.play.firstPick, 2);
        EXPECT_EQ(game.play.secondPick, 5);

        EXPECT_EQ(game.On(third), ClickOutcome::PicksCleared) << third;
        EXPECT_EQ(game.play.firstPick, -1);
        EXPECT_EQ(game.play.secondPick, -1);
        EXPECT_EQ(game.board.cellOrder[2], 5);
        EXPECT_EQ(game.board.cellOrder[5], 2);
        EXPECT_FALSE(game.play.revealPending);
    }
}

TEST(Picking, ClickingTheSecondPickExchangesAndRevealsThenEndRevealTurnsBothDown) {
    Game game;
    game.On(2);
    game.On(5);
    EXPECT_EQ(game.On(5), ClickOutcome::Exchanged);
    EXPECT_EQ(game.board.cellOrder[2], 2);
    EXPECT_EQ(game.board.cellOrder[5], 5);
    EXPECT_EQ(game.play.firstPick, 2);  // both stay face up for the reveal
    EXPECT_EQ(game.play.secondPick, 5);
    EXPECT_TRUE(game.play.revealPending);
    EXPECT_TRUE(game.play.playing);
    EXPECT_EQ(game.play.endTick, 0u);
    EXPECT_FALSE(ClearIsDue(game.play));

    EndRevealState(game.play, RevealOf::Exchange);
    EXPECT_FALSE(game.play.revealPending);
    EXPECT_EQ(game.play.firstPick, -1);
    EXPECT_EQ(game.play.secondPick, -1);
    EXPECT_EQ(game.play.startTick, 5000u);  // the game goes on
}

TEST(Picking, TheExchangeThatSolvesStopsTheGameAndStampsTheTime) {
    Game game(/*oneExchangeFromSolved=*/true);
    game.On(5);
    game.On(2);
    EXPECT_EQ(game.On(2, 65000), ClickOutcome::Solved);
    EXPECT_TRUE(IsSolved(game.board));
    EXPECT_FALSE(game.play.playing);
    EXPECT_TRUE(game.play.revealPending);
    EXPECT_EQ(game.play.endTick, 65000u);
    EXPECT_EQ(game.play.firstPick, 5);  // the last exchange stays picked
    EXPECT_EQ(game.play.secondPick, 2);
    EXPECT_TRUE(ClearIsDue(game.play));

    // 0 means unset, so a solve at the counter's reading 0 is stamped 1.
    Game atZero(/*oneExchangeFromSolved=*/true);
    atZero.On(5);
    atZero.On(2);
    EXPECT_EQ(atZero.On(2, 0), ClickOutcome::Solved);
    EXPECT_EQ(atZero.play.endTick, 1u);
}

TEST(EndReveal, TheEndOfASolvedBoardsWaitKeepsThePicksAndForgettingTheTimesEndsTheClear) {
    Game game(/*oneExchangeFromSolved=*/true);
    game.On(5);
    game.On(2);
    game.On(2, 65000);
    HoldRevealForCelebration(game.play);

    EndRevealState(game.play, RevealOf::Solve);
    EXPECT_FALSE(game.play.revealPending);
    EXPECT_EQ(game.play.firstPick, 5);
    EXPECT_EQ(game.play.secondPick, 2);
    EXPECT_TRUE(ClearIsDue(game.play)) << "the times are the celebration's to forget";
    ForgetGameTimes(game.play);
    EXPECT_EQ(game.play.startTick, 0u);
    EXPECT_EQ(game.play.endTick, 0u);
    EXPECT_FALSE(ClearIsDue(game.play));
}

TEST(Ticks, AGameAcrossTheWrapOfTheCounterGetsItsRealTime) {
    EXPECT_EQ(ElapsedMilliseconds(5000, 65000), 60000u);
    EXPECT_EQ(ElapsedMilliseconds(0xFFFFFC18u, 4000), 5000u);  // 1 s before the wrap, 4 s after
}

TEST(Reshuffle, APickOutsideASmallerBoardDropsBothPicks) {
    Play play;
    play.firstPick = 3;
    play.secondPick = 16;  // picked on 5 x 5, board now 4 x 4
    DropPicksOutsideBoard(play, 16);
    EXPECT_EQ(play.firstPick, -1);
    EXPECT_EQ(play.secondPick, -1);

    play.firstPick = 15;
    DropPicksOutsideBoard(play, 16);
    EXPECT_EQ(play.firstPick, 15);
    play.secondPick = 0;
    DropPicksOutsideBoard(play, 16);
    EXPECT_EQ(play.secondPick, 0);
}

TEST(Cursor, ArrowsStepOneCellAndStopAtTheEdges) {
    // 5 columns x 4 rows: cell 0 top left, 19 bottom right.
    EXPECT_EQ(MoveCursor(0, CursorMove::Left, 5, 4), 0);
    EXPECT_EQ(MoveCursor(0, CursorMove::Up, 5, 4), 0);
    EXPECT_EQ(MoveCursor(0, CursorMove::Right, 5, 4), 1);
    EXPECT_EQ(MoveCursor(0, CursorMove::Down, 5, 4), 5);
    EXPECT_EQ(MoveCursor(4, CursorMove::Right, 5, 4), 4) << "the right edge does not wrap into the next row";
    EXPECT_EQ(MoveCursor(5, CursorMove::Left, 5, 4), 5) << "nor the left edge into the row above";
    EXPECT_EQ(MoveCursor(19, CursorMove::Down, 5, 4), 19);
    EXPECT_EQ(MoveCursor(19, CursorMove::Up, 5, 4), 14);
    EXPECT_EQ(MoveCursor(12, CursorMove::Left, 5, 4), 11);
}

TEST(Cursor, StartsTopLeftFollowsClicksAndComesBackFromOffASmallerBoard) {
    Game game;
    game.play.cursor = 9;
    StartPlay(game.play);
    EXPECT_EQ(game.play.cursor, 0);
    game.On(7);
    EXPECT_EQ(game.play.cursor, 7) << "a click moves the cursor to its cell";
    game.play.cursor = 20;  // on 5 x 5, board now 4 x 4
    DropPicksOutsideBoard(game.play, 16);
    EXPECT_EQ(game.play.cursor, 0);
}

TEST(Pause, ThePausedTimeDoesNotCountAndThePicksStay) {
    Game game;  // started at tick 5000
    game.On(2);
    EXPECT_TRUE(PausePlay(game.play, PauseReason::Minimised, 8000));
    EXPECT_TRUE(IsPaused(game.play));
    EXPECT_EQ(PlayedMilliseconds(game.play, 18000), 3000u) << "the clock stands while paused";
    for (int cell = 0; cell < 16; ++cell) EXPECT_EQ(CellShows(game.board, game.play, cell), kCardBack) << cell;
    EXPECT_TRUE(ResumePlay(game.play, PauseReason::Minimised, 18000));
    EXPECT_FALSE(IsPaused(game.play));
    EXPECT_EQ(game.play.firstPick, 2);
    EXPECT_EQ(CellShows(game.board, game.play, 2), 5) << "the pick shows its piece again";
    EXPECT_EQ(PlayedMilliseconds(game.play, 20000), 5000u);
    // The board solved later: its time is the playable time alone.
    Game solving(true);
    PausePlay(solving.play, PauseReason::Player, 6000);
    ResumePlay(solving.play, PauseReason::Player, 14000);
    solving.On(2);
    solving.On(5);
    EXPECT_EQ(solving.On(5, 15000), ClickOutcome::Solved);
    EXPECT_EQ(ElapsedMilliseconds(solving.play.startTick, solving.play.endTick), 2000u);
}

TEST(Pause, EveryReasonMustGoBeforeTheGameRunsAndPResumesWhateverPausedIt) {
    Game game;
    EXPECT_TRUE(PausePlay(game.play, PauseReason::Player, 6000));
    EXPECT_FALSE(PausePlay(game.play, PauseReason::Away, 7000)) << "already paused";
    EXPECT_FALSE(ResumePlay(game.play, PauseReason::Away, 8000)) << "P still holds it";
    EXPECT_TRUE(IsPaused(game.play));
    EXPECT_TRUE(TogglePause(game.play, 9000));
    EXPECT_FALSE(IsPaused(game.play));
    EXPECT_EQ(PlayedMilliseconds(game.play, 9000), 1000u) << "paused from 6000 on";
    EXPECT_TRUE(TogglePause(game.play, 9500));
    EXPECT_TRUE(IsPaused(game.play));

    Play idle;  // no game: nothing to pause
    EXPECT_FALSE(PausePlay(idle, PauseReason::Minimised, 1000));
    EXPECT_FALSE(TogglePause(idle, 1000));
    EXPECT_FALSE(IsPaused(idle));
}

TEST(Pause, ARevealGoesOnWithTheTimeItHadLeft) {
    Game game;
    game.On(2);
    game.On(5);
    EXPECT_EQ(game.On(5, 10000), ClickOutcome::Exchanged);
    EXPECT_EQ(RevealMsLeft(game.play, 10000), kRevealMs);
    EXPECT_EQ(RevealMsLeft(game.play, 10700), 1u) << "shown its whole time: it ends at once, never 0";
    PausePlay(game.play, PauseReason::Away, 10300);
    ResumePlay(game.play, PauseReason::Away, 60000);
    EXPECT_EQ(RevealMsLeft(game.play, 60000), 400u);
    EXPECT_EQ(RevealMsLeft(game.play, 60699), 1u) << "a late timer still ends it";
}

TEST(Pause, ANewGameOrTheEndOfTheGameTakesThePauseAway) {
    Game game;
    PausePlay(game.play, PauseReason::Player, 6000);
    game.play.peeking = true;
    StartPlay(game.play);
    EXPECT_FALSE(IsPaused(game.play));
    EXPECT_FALSE(game.play.peeking);
    PausePlay(game.play, PauseReason::Player, 6000);
    StopPlay(game.play);
    EXPECT_FALSE(IsPaused(game.play));
}

TEST(Resume, AGameContinuedFromItsSavedTimeCountsOnFromThere) {
    Play play;
    StartPlay(play);
    ContinuePlay(play, 42000, 1000);  // across the wrap of the counter
    EXPECT_EQ(PlayedMilliseconds(play, 3000), 44000u);
    ContinuePlay(play, 0, 0);
    EXPECT_NE(play.startTick, 0u) << "a start tick of 0 would read as unset";
}

TEST(PauseAndPeek, AGameThatEndsEndsItsPauseAndItsPeek) {
    Play play;
    StartPlay(play);
    ASSERT_TRUE(PausePlay(play, PauseReason::Player, 1000));
    StopPlay(play);
    EXPECT_FALSE(IsPaused(play)) << "no pause outlives its game";
    EXPECT_FALSE(PausePlay(play, PauseReason::Minimised, 2000)) << "nothing to pause without a game";
    EXPECT_FALSE(Peek(play, true));

    StartPlay(play);
    EXPECT_TRUE(Peek(play, true));
    EXPECT_TRUE(play.peeking);
    PausePlay(play, PauseReason::Away, 3000);
    EXPECT_FALSE(play.peeking) << "a pause covers the picture too";
    EXPECT_FALSE(Peek(play, true));
}

TEST(KeyboardCues, TheCursorsFrameShowsFromAKeyUntilTheNextClick) {
    Play play;
    StartPlay(play);
    EXPECT_FALSE(play.keyboardCues) << "a player who never touched a key sees no frame";
    EXPECT_TRUE(FollowInput(play, InputBy::Keyboard)) << "the board shows the frame now";
    EXPECT_FALSE(FollowInput(play, InputBy::Keyboard)) << "already shown";
    StartPlay(play);
    EXPECT_TRUE(play.keyboardCues) << "the next game is played by the same hand";
    EXPECT_TRUE(FollowInput(play, InputBy::Mouse));
    EXPECT_FALSE(play.keyboardCues);
    StopPlay(play);
    EXPECT_FALSE(FollowInput(play, InputBy::Keyboard)) << "no board to draw again";
    EXPECT_TRUE(play.keyboardCues);
}

TEST(Ticks, AGameTakenUpAgainCountsOnWithoutWrapping) {
    Play play;
    StartPlay(play);
    ContinuePlay(play, 90000, 5000);  // started before the counter wrapped
    EXPECT_EQ(PlayedMilliseconds(play, 6000), 91000u);
    // The longest time a game can claim still leaves the clock room to run.
    ContinuePlay(play, kMaxPlayedMs, 5000);
    EXPECT_EQ(PlayedMilliseconds(play, 6000), kMaxPlayedMs + 1000u);
    ContinuePlay(play, 0xFFFFFFFFu, 5000);
    EXPECT_EQ(PlayedMilliseconds(play, 6000), kMaxPlayedMs + 1000u) << "more is taken as the longest";
}

TEST(Picking, EveryExchangeIsCountedAndANewGameCountsFromNone) {
    Game game;
    game.On(2);
    game.On(5);
    game.On(5);
    EXPECT_EQ(game.play.exchanges, 1);
    EndRevealState(game.play, RevealOf::Exchange);
    game.On(8);
    game.On(9);
    game.On(8);  // the first pick again: no exchange
    EXPECT_EQ(game.play.exchanges, 1);
    StartPlay(game.play);
    EXPECT_EQ(game.play.exchanges, 0);
}
