// Board and picture views, each one whole frame through the presenter.
#include "display/views.h"

#include "display/gdi.h"
#include "display/presenter.h"

int DrawBoard(Screen& screen, const Board& board, const Play& play) {
    const ViewSize cell = CellSizeOf(screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight, [&](HDC dc) {
        PatBlt(dc, 0, 0, screen.viewWidth, screen.viewHeight, BLACKNESS);
        MemoryDc memory;
        if (!memory) return;
        for (int row = 0; row < board.rows; ++row) {
            for (int column = 0; column < board.columns; ++column) {
                const int shows = CellShows(board, play, row * board.columns + column);
                memory.Select(shows == kCardBack ? screen.cardBack : screen.picture);
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

int DrawPicture(Screen& screen) {
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight,
                       [&](HDC dc) { DrawPictureFrame(dc, screen.picture, screen.viewWidth, screen.viewHeight); });
    return 1;
}

int DrawCurrentView(Screen& screen, const Board& board, const Play& play) {
    return play.playing ? DrawBoard(screen, board, play) : DrawPicture(screen);
}
