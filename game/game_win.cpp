// Shuffle, picking and the reveal, on the main window.
#include "game/game_win.h"

#include <ctime>

#include "app/game_state.h"
#include "display/gdi.h"
#include "display/views.h"
#include "res/resource.h"

namespace {

constexpr UINT kRevealMs = 700;

// The card back stretched to one cell; the previous one is deleted first.
void RebuildCardBack(int cellWidth, int cellHeight) {
    if (g_state.screen.cardBack) DeleteObject(g_state.screen.cardBack);
    g_state.screen.cardBack = nullptr;
    MemoryDc source;
    MemoryDc target;
    if (!source || !target) return;
    source.Select(g_state.screen.cardBackSource);
    g_state.screen.cardBack = CreateCompatibleBitmap(source.get(), cellWidth, cellHeight);
    if (!g_state.screen.cardBack) return;
    target.Select(g_state.screen.cardBack);
    StretchBlt(target.get(), 0, 0, cellWidth, cellHeight, source.get(), 0, 0, g_state.screen.cardBackSourceWidth,
               g_state.screen.cardBackSourceHeight, SRCCOPY);
}

}  // namespace

int ShuffleBoard() {
    Board& board = g_state.board;
    DealCells(board, static_cast<uint32_t>(std::time(nullptr)));
    const ViewSize view = CutToWholeCells(g_state.screen.pictureWidth, g_state.screen.pictureHeight, board.columns, board.rows);
    g_state.screen.viewWidth = view.width;
    g_state.screen.viewHeight = view.height;
    const ViewSize cell = CellSizeOf(view.width, view.height, board.columns, board.rows);
    RebuildCardBack(cell.width, cell.height);
    return 1;
}

int HandleCellClick(HWND window, int x, int y) {
    const Board& board = g_state.board;
    const int cell = CellAtPoint(x, y, g_state.screen.viewWidth, g_state.screen.viewHeight, board.columns, board.rows);
    if (cell < 0) return 0;
    const ClickOutcome outcome = ApplyCellClick(g_state.board, g_state.play, cell, GetTickCount());
    if (outcome == ClickOutcome::Exchanged) SetTimer(window, TIMER_REVEAL, kRevealMs, nullptr);
    DrawCurrentView(g_state.screen, g_state.board, g_state.play);
    return 1;
}

int ClearPicks() {
    g_state.play.firstPick = -1;
    g_state.play.secondPick = -1;
    DrawBoard(g_state.screen, g_state.board, g_state.play);
    return 1;
}
