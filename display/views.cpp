// Board and picture views, each one whole frame through the presenter.
#include "display/views.h"

#include "app/game_state.h"
#include "display/gdi.h"
#include "display/presenter.h"

int DrawBoard() {
    const Board& board = g_state.board;
    const ViewSize cell = CellSizeOf(g_state.viewWidth, g_state.viewHeight, board.columns, board.rows);
    PresentBackSurface([&](HDC dc) {
        PatBlt(dc, 0, 0, g_state.viewWidth, g_state.viewHeight, BLACKNESS);
        MemoryDc memory;
        if (!memory) return;
        for (int row = 0; row < board.rows; ++row) {
            for (int column = 0; column < board.columns; ++column) {
                const int shows = CellShows(board, g_state.play, row * board.columns + column);
                memory.Select(shows == kCardBack ? g_state.cardBack : g_state.picture);
                const int sourceLeft = shows == kCardBack ? 0 : (shows % board.columns) * cell.width;
                const int sourceTop = shows == kCardBack ? 0 : (shows / board.columns) * cell.height;
                BitBlt(dc, column * cell.width, row * cell.height, cell.width, cell.height, memory.get(), sourceLeft,
                       sourceTop, SRCCOPY);
            }
        }
    });
    return 1;
}

void DrawPictureFrame(HDC dc, HBITMAP picture, int width, int height) {
    MemoryDc memory;
    if (!picture || !memory) {
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        return;
    }
    memory.Select(picture);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

int DrawPicture() {
    PresentBackSurface([](HDC dc) { DrawPictureFrame(dc, g_state.picture, g_state.viewWidth, g_state.viewHeight); });
    return 1;
}

int DrawCurrentView() { return g_state.play.playing ? DrawBoard() : DrawPicture(); }
