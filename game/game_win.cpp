// Shuffle, picking and the board view, on the main window.
#include "game/game_win.h"

#include <ctime>
#include <vector>

#include "display/views_win.h"
#include "platform/gdi_win.h"
#include "res/resource.h"
#include "res/texts_win.h"

namespace {

// The card back stretched to one cell, in place of the previous one.
void RebuildCardBack(Screen& screen, int cellWidth, int cellHeight) {
    screen.cardBack.Reset();
    MemoryDc source;
    MemoryDc target;
    if (!source || !target) return;
    source.Select(screen.cardBackSource.get());
    screen.cardBack.Reset(CreateCompatibleBitmap(source.get(), cellWidth, cellHeight));
    if (!screen.cardBack) return;
    target.Select(screen.cardBack.get());
    StretchBlt(target.get(), 0, 0, cellWidth, cellHeight, source.get(), 0, 0, screen.cardBackSourceWidth,
               screen.cardBackSourceHeight, SRCCOPY);
}

// Finds the pieces of the picture that look the same; without the picture's
// pixels every piece is only at home in its own cell.
void FindLookAlikes(Board& board, const Screen& screen, ViewSize cell) {
    DIBSECTION dib = {};
    if (!screen.picture) {
        FindLookAlikePieces(board, {nullptr, 0, 0, 0}, 0, 0);
        return;
    }
    // The fitted picture is a 32-bit DIB section: its pixels are read in place.
    if (GetObjectA(screen.picture.get(), sizeof dib, &dib) == sizeof dib && dib.dsBm.bmBits &&
        dib.dsBm.bmBitsPixel == 32 && dib.dsBmih.biCompression == BI_RGB) {
        GdiFlush();  // GDI done with the pixels; its answer tells of earlier drawing only
        const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
        const ptrdiff_t stride = dib.dsBm.bmWidthBytes;
        const bool bottomUp = dib.dsBmih.biHeight > 0;
        const PixelRows rows = {bottomUp ? bits + stride * (dib.dsBm.bmHeight - 1) : bits, bottomUp ? -stride : stride,
                                dib.dsBm.bmWidth, dib.dsBm.bmHeight};
        FindLookAlikePieces(board, rows, cell.width, cell.height);
        return;
    }
    // Any other bitmap (a bmp of fewer colours) is copied out as 32 bits first.
    BITMAPINFO info = Dib32Info(screen.pictureWidth, -screen.pictureHeight);
    std::vector<uint8_t> pixels(size_t(screen.pictureWidth) * screen.pictureHeight * 4);
    MemoryDc dc;
    const bool read = dc && GetDIBits(dc.get(), screen.picture.get(), 0, static_cast<UINT>(screen.pictureHeight),
                                      pixels.data(), &info, DIB_RGB_COLORS) == screen.pictureHeight;
    const PixelRows rows = {pixels.data(), ptrdiff_t(screen.pictureWidth) * 4, screen.pictureWidth,
                            read ? screen.pictureHeight : 0};
    FindLookAlikePieces(board, rows, cell.width, cell.height);
}

// The cursor's frame, inside the cell's edge so that the piece stays in
// sight: white outside, black inside, seen on any picture.
void DrawCursorFrame(HDC dc, int left, int top, ViewSize cell) {
    const int shorter = cell.width < cell.height ? cell.width : cell.height;
    const int thickness = shorter >= 36 ? 3 : shorter >= 16 ? 2 : 1;
    for (int ring = 0; ring < thickness; ++ring) {
        const DWORD colour = thickness > 1 && ring == thickness - 1 ? BLACKNESS : WHITENESS;
        const int l = left + ring, t = top + ring, w = cell.width - 2 * ring, h = cell.height - 2 * ring;
        if (w <= 0 || h <= 0) break;
        PatBlt(dc, l, t, w, 1, colour);
        PatBlt(dc, l, t + h - 1, w, 1, colour);
        PatBlt(dc, l, t, 1, h, colour);
        PatBlt(dc, l + w - 1, t, 1, h, colour);
    }
}

}  // namespace

int ShuffleBoard(Board& board, Screen& screen) {
    DealCells(board, static_cast<uint32_t>(std::time(nullptr)));
    FitBoardToPicture(board, screen);
    board.ranked = IsRankedDeal(board);  // once its look-alike pieces are known
    return 1;
}

void FitBoardToPicture(Board& board, Screen& screen) {
    const ViewSize view = CutToWholeCells(screen.pictureWidth, screen.pictureHeight, board.columns, board.rows);
    screen.viewWidth = view.width;
    screen.viewHeight = view.height;
    const ViewSize cell = CellSizeOf(view.width, view.height, board.columns, board.rows);
    RebuildCardBack(screen, cell.width, cell.height);
    FindLookAlikes(board, screen, cell);
}

int HandleCellClick(HWND window, int x, int y, Board& board, Play& play, Screen& screen) {
    if (IsPaused(play)) return 0;  // the board is covered until the game goes on
    const int cell = CellAtPoint(x, y, screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    if (cell < 0) return 0;
    const ClickOutcome outcome = ApplyCellClick(board, play, cell, GetTickCount());
    // SetTimer fails only when the system has no resources left for a timer:
    // there is no other clock to fall back on.
    if (outcome == ClickOutcome::Exchanged) SetTimer(window, TIMER_REVEAL, kRevealMs, nullptr);
    DrawCurrentView(screen, board, play);
    return 1;
}

int ClearPicks(const Board& board, Play& play, Screen& screen) {
    if (IsPaused(play)) return 1;
    play.firstPick = -1;
    play.secondPick = -1;
    DrawBoard(screen, board, play);
    return 1;
}

int DrawBoard(Screen& screen, const Board& board, const Play& play) {
    const ViewSize cell = CellSizeOf(screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    PresentBackSurface(screen.presenter, screen.viewWidth, screen.viewHeight, [&](HDC dc) {
        if (play.peeking) {
            DrawPictureFrame(dc, screen.picture.get(), screen.viewWidth, screen.viewHeight);
            return;
        }
        PatBlt(dc, 0, 0, screen.viewWidth, screen.viewHeight, BLACKNESS);
        // One memory DC for each bitmap: selecting a bitmap in and out for
        // every cell costs more than the cell's blit itself.
        MemoryDc back, pieces;
        if (!back || !pieces) return;
        back.Select(screen.cardBack.get());
        pieces.Select(screen.picture.get());
        for (int row = 0; row < board.rows; ++row) {
            for (int column = 0; column < board.columns; ++column) {
                const int shows = CellShows(board, play, row * board.columns + column);
                const int sourceLeft = shows == kCardBack ? 0 : (shows % board.columns) * cell.width;
                const int sourceTop = shows == kCardBack ? 0 : (shows / board.columns) * cell.height;
                BitBlt(dc, column * cell.width, row * cell.height, cell.width, cell.height,
                       (shows == kCardBack ? back : pieces).get(), sourceLeft, sourceTop, SRCCOPY);
            }
        }
        if (IsPaused(play)) {
            DrawTextBand(dc, screen.viewWidth, screen.viewHeight, LoadText(IDS_PAUSED));
        } else if (play.playing && play.keyboardCues) {
            DrawCursorFrame(dc, (play.cursor % board.columns) * cell.width, (play.cursor / board.columns) * cell.height,
                            cell);
        }
    });
    return 1;
}

int MoveBoardCursor(Screen& screen, const Board& board, Play& play, CursorMove move) {
    if (!play.playing || IsPaused(play)) return 0;
    play.cursor = MoveCursor(play.cursor, move, board.columns, board.rows);
    DrawBoard(screen, board, play);
    return 1;
}

POINT CursorPoint(const Screen& screen, const Board& board, const Play& play) {
    const ViewSize cell = CellSizeOf(screen.viewWidth, screen.viewHeight, board.columns, board.rows);
    return {(play.cursor % board.columns) * cell.width + cell.width / 2,
            (play.cursor / board.columns) * cell.height + cell.height / 2};
}

int DrawCurrentView(Screen& screen, const Board& board, const Play& play) {
    return play.playing ? DrawBoard(screen, board, play) : DrawPicture(screen);
}
