// Board and picture views, each one whole frame through the presenter.
#include "display/views.h"

#include "app/game_state.h"
#include "app/gdi.h"
#include "display/presenter.h"

namespace {

void CopyPiece(HDC target, HDC pictureDc, int cell, int piece, int cellWidth, int cellHeight) {
    const int columns = g_state.board.columns;
    BitBlt(target, (cell % columns) * cellWidth, (cell / columns) * cellHeight, cellWidth, cellHeight,
           pictureDc, (piece % columns) * cellWidth, (piece / columns) * cellHeight, SRCCOPY);
}

}  // namespace

int DrawBoard() {
    const Board& board = g_state.board;
    const Play& play = g_state.play;
    const int cellWidth = g_state.pictureWidth / board.columns;
    const int cellHeight = g_state.pictureHeight / board.rows;
    const int cellCount = CellCount(board);
    PresentBackSurface([&](HDC dc) {
        PatBlt(dc, 0, 0, g_state.viewWidth, g_state.viewHeight, BLACKNESS);
        MemoryDc memory;
        if (!memory) return;
        for (int column = 0; column < board.columns; ++column) {
            for (int row = 0; row < board.rows; ++row) {
                const int cell = row * board.columns + column;
                if (board.easyMode && board.cellOrder[cell] == cell) {
                    memory.Select(g_state.picture);
                    CopyPiece(dc, memory.get(), cell, cell, cellWidth, cellHeight);
                } else if (cell != play.firstPick && cell != play.secondPick) {
                    memory.Select(g_state.cardBack);
                    BitBlt(dc, column * cellWidth, row * cellHeight, cellWidth, cellHeight, memory.get(), 0,
                           0, SRCCOPY);
                }
            }
        }
        // Picked cells show the piece lying in them; a pick outside the
        // current board is never drawn.
        memory.Select(g_state.picture);
        for (const int pick : {play.firstPick, play.secondPick}) {
            if (pick >= 0 && pick < cellCount) {
                CopyPiece(dc, memory.get(), pick, board.cellOrder[pick], cellWidth, cellHeight);
            }
        }
    });
    return 1;
}

int DrawPicture() {
    PresentBackSurface([](HDC dc) {
        if (!g_state.picture) {
            PatBlt(dc, 0, 0, g_state.viewWidth, g_state.viewHeight, BLACKNESS);
            return;
        }
        MemoryDc memory;
        if (!memory) return;
        memory.Select(g_state.picture);
        BitBlt(dc, 0, 0, g_state.viewWidth, g_state.viewHeight, memory.get(), 0, 0, SRCCOPY);
    });
    return 1;
}

int DrawCurrentView() { return g_state.play.playing ? DrawBoard() : DrawPicture(); }
