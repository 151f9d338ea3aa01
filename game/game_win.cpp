// Shuffle, picking and the board view, on the main window.
#include "game/game_win.h"

#include <ctime>

#include "display/gdi.h"
#include "display/views.h"
#include "res/resource.h"

namespace {

constexpr UINT kRevealMs = 700;

// The card back stretched to one cell; the previous one is deleted first.
void RebuildCardBack(Screen& screen, int cellWidth, int cellHeight) {
    if (screen.cardBack) DeleteObject(screen.cardBack);
    screen.cardBack = nullptr;
    MemoryDc source;
    MemoryDc target;
    if (!source || !target) return;
    source.Select(screen.cardBackSource);
    screen.cardBack = CreateCompatibleBitmap(source.get(), cellWidth, cellHeight);
    if (!screen.cardBack) return;
    target.Select(screen.cardBack);
    StretchBlt(target.get(), 0, 0, cellWidth, cellHeight, source.get(), 0, 0, screen.cardBackSourceWidth,
               screen.cardBackSourceHeight, SRCCOPY);
}

}  // namespace

int ShuffleBoard(Board& board, Screen& screen) {
    DealCells(board, static_cast<uint32_t>(std::time(nullptr)));
    FitBoardToPicture(board, screen);
    return 1;
}

void FitBoardToPicture(const Board& board, Screen& screen) {
    const ViewSize view = CutToWholeCells(screen.pictureWidth, screen.pictureHeight, board.columns, board.rows);
    screen.viewWidth = view.width;
    screen.viewHeight = view.height;
    const ViewSize cell = CellSizeOf(view.width, view.height, board.columns, board.rows);
    RebuildCardBack(screen, cell.width, cell.height);
}

int HandleCellClick(HWND window, int x, int y, Board& board, Play& play, Screen& screen) {
    const int cell = CellAtPoint(x, y, screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    if (cell < 0) return 0;
    const ClickOutcome outcome = ApplyCellClick(board, play, cell, GetTickCount());
    if (outcome == ClickOutcome::Exchanged) SetTimer(window, TIMER_REVEAL, kRevealMs, nullptr);
    DrawCurrentView(screen, board, play);
    return 1;
}

int ClearPicks(const Board& board, Play& play, Screen& screen) {
    play.firstPick = -1;
    play.secondPick = -1;
    DrawBoard(screen, board, play);
    return 1;
}

int DrawBoard(Screen& screen, const Board& board, const Play& play) {
    const ViewSize cell = CellSizeOf(screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight, [&](HDC dc) {
        PatBlt(dc, 0, 0, screen.viewWidth, screen.viewHeight, BLACKNESS);
        // One memory DC for each bitmap: selecting a bitmap in and out for
        // every cell costs more than the cell's blit itself.
        MemoryDc back, pieces;
        if (!back || !pieces) return;
        back.Select(screen.cardBack);
        pieces.Select(screen.picture);
        for (int row = 0; row < board.rows; ++row) {
            for (int column = 0; column < board.columns; ++column) {
                const int shows = CellShows(board, play, row * board.columns + column);
                const int sourceLeft = shows == kCardBack ? 0 : (shows % board.columns) * cell.width;
                const int sourceTop = shows == kCardBack ? 0 : (shows / board.columns) * cell.height;
                BitBlt(dc, column * cell.width, row * cell.height, cell.width, cell.height,
                       (shows == kCardBack ? back : pieces).get(), sourceLeft, sourceTop, SRCCOPY);
            }
        }
    });
    return 1;
}

int DrawCurrentView(Screen& screen, const Board& board, const Play& play) {
    return play.playing ? DrawBoard(screen, board, play) : DrawPicture(screen);
}
