// Plays a board with the mouse, reading every piece from the play area: a
// board cut from a PositionColour picture, or from any picture given.
#pragma once

#include <string>
#include <vector>

#include "game_driver.h"

class BoardPlayer {
  public:
    BoardPlayer(Game& game, int pictureWidth, int pictureHeight, int columns, int rows, bool easy = false);
    // A board cut from `picture` as shown (no test pattern): pieces are told
    // apart by comparing their pixels with the picture's cells.
    BoardPlayer(Game& game, const Screenshot& picture, int columns, int rows);

    int cells() const { return columns_ * rows_; }
    POINT CellCentre(int cell) const;
    COLORREF PixelAt(int cell);
    // The piece cell `cell` shows, or -1 for a card back.
    int Shown(int cell);
    bool WholePictureShown();
    // Every cell shows a card back, or in easy mode the piece at home there.
    bool FreshBoardShown();
    void ClickCell(int cell);
    std::string Describe();

    // Turns each face-down cell up alone, notes its piece and turns it back.
    // Empty on success, else what went wrong.
    std::string ReadPieces();
    // Swaps every piece home; the last exchange solves the board. Empty on
    // success, else what went wrong.
    std::string SwapHome();

    std::vector<int> pieceIn;  // the piece lying in each cell

  private:
    Game& game_;
    int pictureWidth_, pictureHeight_, columns_, rows_;
    bool easy_;
    const Screenshot* picture_ = nullptr;
};
