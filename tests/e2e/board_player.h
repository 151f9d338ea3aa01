// Plays a board with the mouse, reading every piece from the play area: cut
// from a PositionColour picture, or from any picture it has seen whole.
#pragma once

#include <string>
#include <vector>

#include "game_driver.h"

// How the player acts on a cell: the mouse, or the cursor moved by the
// arrow keys, Space for a left click and Esc for a right one.
enum class BoardInput { Mouse, Keyboard };

class BoardPlayer {
  public:
    BoardPlayer(Game& game, int pictureWidth, int pictureHeight, int columns, int rows, bool easy = false,
                BoardInput input = BoardInput::Mouse);

    int cells() const { return columns_ * rows_; }
    POINT CellCentre(int cell) const;
    COLORREF PixelAt(int cell);
    COLORREF CardBackAt(int cell);
    // The piece cell `cell` shows, or -1 for a card back.
    int Shown(int cell);
    bool WholePictureShown();
    // Notes what each cell of the picture view shows now, so that the
    // pieces of any picture are known by their pixels from then on.
    void LearnPicture();
    // Every cell shows a card back, or in easy mode the piece at home there.
    bool FreshBoardShown();
    void ClickCell(int cell, bool right = false);
    // The cell whose frame shows the keyboard's cursor, -1 when none does.
    int CursorShown();
    std::string Describe();

    // Turns each face-down cell up alone, notes its piece and turns it back.
    // Empty on success, else what went wrong.
    std::string ReadPieces();
    // ReadPieces for a game that must set a best time: a deal that lies more
    // than a quarter home (about one in three hundred) sets none, so it is
    // dealt again in the next second, as the deal draws from the clock.
    std::string ReadRankedDeal();
    // Swaps every piece home, or to the cell `goal` gives it (goal[cell] is
    // the piece wanted there); the last exchange solves the board. With
    // `watchReveal` each exchange must also show both pieces in their new
    // cells while its reveal lasts. Empty on success, else what went wrong.
    std::string SwapHome(bool watchReveal = false, std::vector<int> goal = {});

    std::vector<int> pieceIn;  // the piece lying in each cell

  private:
    // A few pixels spread over the cell, as the screen shows them now.
    std::vector<COLORREF> Samples(int cell);

    std::vector<std::vector<COLORREF>> homeSamples_;  // by piece, once learnt
    Game& game_;
    int pictureWidth_, pictureHeight_, columns_, rows_;
    bool easy_;
    BoardInput input_;
    int cursor_ = 0;  // where the keyboard's cursor is: a new game puts it top left
};
