// Reading and playing a board from its pixels.
#include "board_player.h"

#include <algorithm>

BoardPlayer::BoardPlayer(Game& game, int pictureWidth, int pictureHeight, int columns, int rows, bool easy)
    : pieceIn(columns * rows, -1),
      game_(game),
      pictureWidth_(pictureWidth),
      pictureHeight_(pictureHeight),
      columns_(columns),
      rows_(rows),
      easy_(easy) {}

BoardPlayer::BoardPlayer(Game& game, const Screenshot& picture, int columns, int rows)
    : BoardPlayer(game, picture.width, picture.height, columns, rows) {
    picture_ = &picture;
}

POINT BoardPlayer::CellCentre(int cell) const {
    const int width = pictureWidth_ / columns_, height = pictureHeight_ / rows_;
    return {(cell % columns_) * width + width / 2, (cell / columns_) * height + height / 2};
}

COLORREF BoardPlayer::PixelAt(int cell) {
    const POINT centre = CellCentre(cell);
    const POINT screen = game_.ClientToScreenPoint(centre.x, centre.y);
    return ScreenPixel(screen.x, screen.y);
}

int BoardPlayer::Shown(int cell) {
    if (!picture_) return PieceAtCellCentre(PixelAt(cell), pictureWidth_, pictureHeight_, columns_, rows_);
    // The piece whose home cell of the picture matches the cell at a grid
    // of points; a card back matches none.
    const int width = pictureWidth_ / columns_, height = pictureHeight_ / rows_;
    const POINT origin = game_.ClientToScreenPoint((cell % columns_) * width, (cell / columns_) * height);
    const Screenshot shown = CaptureScreen({origin.x, origin.y, origin.x + width, origin.y + height});
    if (shown.width != width || shown.height != height) return -1;
    for (int piece = 0; piece < cells(); ++piece) {
        const int left = (piece % columns_) * width, top = (piece / columns_) * height;
        bool same = true;
        for (int y = 1; y < 8 && same; ++y) {
            for (int x = 1; x < 8 && same; ++x) {
                const int dx = width * x / 8, dy = height * y / 8;
                same = shown.At(dx, dy) == picture_->At(left + dx, top + dy);
            }
        }
        if (same) return piece;
    }
    return -1;
}

bool BoardPlayer::WholePictureShown() {
    for (int cell = 0; cell < cells(); ++cell) {
        if (Shown(cell) != cell) return false;
    }
    return true;
}

bool BoardPlayer::FreshBoardShown() {
    for (int cell = 0; cell < cells(); ++cell) {
        const int shown = Shown(cell);
        if (shown != -1 && !(easy_ && shown == cell)) return false;
    }
    return true;
}

void BoardPlayer::ClickCell(int cell) {
    const POINT p = CellCentre(cell);
    game_.ClickClient(p.x, p.y);
}

std::string BoardPlayer::Describe() {
    std::string out = "the board shows";
    for (int cell = 0; cell < cells(); ++cell) out += " " + std::to_string(Shown(cell));
    return out;
}

std::string BoardPlayer::ReadPieces() {
    for (int cell = 0; cell < cells(); ++cell) {
        const int faceUp = Shown(cell);
        if (faceUp == cell) {  // at home, face up in easy mode
            pieceIn[cell] = cell;
            continue;
        }
        const COLORREF back = PixelAt(cell);
        ClickCell(cell);
        if (!WaitUntil([&] { return Shown(cell) != -1; })) {
            return "cell " + std::to_string(cell) + " does not turn up; " + Describe();
        }
        pieceIn[cell] = Shown(cell);
        ClickCell(cell);
        if (!WaitUntil([&] { return PixelAt(cell) == back; })) {
            return "cell " + std::to_string(cell) + " does not turn down again";
        }
    }
    std::vector<int> sorted = pieceIn;
    std::sort(sorted.begin(), sorted.end());
    for (int piece = 0; piece < cells(); ++piece) {
        if (sorted[piece] != piece) return "not every piece lies once; " + Describe();
    }
    return {};
}

std::string BoardPlayer::SwapHome() {
    auto solved = [&] {
        for (int cell = 0; cell < cells(); ++cell) {
            if (pieceIn[cell] != cell) return false;
        }
        return true;
    };
    for (int home = 0; home < cells() && !solved(); ++home) {
        if (pieceIn[home] == home) continue;
        const int from = static_cast<int>(std::find(pieceIn.begin(), pieceIn.end(), home) - pieceIn.begin());
        const COLORREF homeBack = PixelAt(home);
        const COLORREF fromBack = PixelAt(from);
        ClickCell(home);
        ClickCell(from);
        if (!WaitUntil([&] { return Shown(home) == pieceIn[home] && Shown(from) == home; })) {
            return "picks of " + std::to_string(home) + " and " + std::to_string(from) + " do not show; " +
                   Describe();
        }
        ClickCell(from);
        std::swap(pieceIn[home], pieceIn[from]);
        if (solved()) break;
        // The next pick waits for the reveal to end: face-down cells show it.
        // In easy mode pieces at home stay face up; when both went home the
        // end cannot be seen, so the reveal's 700 ms are waited out.
        if (easy_ && pieceIn[from] == from) {
            Sleep(1000);
            continue;
        }
        if (!WaitUntil([&] { return (easy_ || PixelAt(home) == homeBack) && PixelAt(from) == fromBack; })) {
            return "the reveal of " + std::to_string(home) + " and " + std::to_string(from) + " does not end";
        }
    }
    return {};
}
