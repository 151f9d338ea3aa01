// Reading and playing a board from its pixels.
#include "board_player.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// The board answers a click within a frame or two; the bound is for the
// 32-bit program in the emulator on a machine busy with other work.
constexpr DWORD kBoardTimeoutMs = 30000;

}  // namespace

BoardPlayer::BoardPlayer(Game& game, int pictureWidth, int pictureHeight, int columns, int rows, bool easy,
                         BoardInput input)
    : pieceIn(columns * rows, -1),
      game_(game),
      pictureWidth_(pictureWidth),
      pictureHeight_(pictureHeight),
      columns_(columns),
      rows_(rows),
      easy_(easy),
      input_(input) {}

POINT BoardPlayer::CellCentre(int cell) const {
    const int width = pictureWidth_ / columns_, height = pictureHeight_ / rows_;
    return {(cell % columns_) * width + width / 2, (cell / columns_) * height + height / 2};
}

COLORREF BoardPlayer::PixelAt(int cell) {
    const POINT centre = CellCentre(cell);
    const POINT screen = game_.ClientToScreenPoint(centre.x, centre.y);
    return ScreenPixel(screen.x, screen.y);
}

// A face-down cell's card back. No card back is black: a black cell is the
// window erased for a repaint still to come, which is waited out.
COLORREF BoardPlayer::CardBackAt(int cell) {
    COLORREF pixel = PixelAt(cell);
    WaitUntil([&] { return (pixel = PixelAt(cell)) != RGB(0, 0, 0); }, kBoardTimeoutMs);
    return pixel;
}

std::vector<COLORREF> BoardPlayer::Samples(int cell) {
    const int width = pictureWidth_ / columns_, height = pictureHeight_ / rows_;
    const int left = (cell % columns_) * width, top = (cell / columns_) * height;
    const POINT origin = game_.ClientToScreenPoint(left, top);
    const Screenshot shot = CaptureScreen({origin.x, origin.y, origin.x + width, origin.y + height});
    std::vector<COLORREF> samples;
    for (int i = 1; i <= 3; ++i) {
        for (int j = 1; j <= 3; ++j) samples.push_back(shot.At(width * i / 4, height * j / 4));
    }
    return samples;
}

void BoardPlayer::LearnPicture() {
    homeSamples_.clear();
    for (int cell = 0; cell < cells(); ++cell) homeSamples_.push_back(Samples(cell));
}

int BoardPlayer::Shown(int cell) {
    if (homeSamples_.empty()) return PieceAtCellCentre(PixelAt(cell), pictureWidth_, pictureHeight_, columns_, rows_);
    const std::vector<COLORREF> seen = Samples(cell);
    const auto found = std::find(homeSamples_.begin(), homeSamples_.end(), seen);
    return found == homeSamples_.end() ? -1 : static_cast<int>(found - homeSamples_.begin());
}

bool BoardPlayer::WholePictureShown() {
    for (int cell = 0; cell < cells(); ++cell) {
        if (Shown(cell) != cell) return false;
    }
    return true;
}

bool BoardPlayer::FreshBoardShown() {
    std::optional<COLORREF> back;
    for (int cell = 0; cell < cells(); ++cell) {
        const int shown = Shown(cell);
        if (shown != -1 && !(easy_ && shown == cell)) return false;
        if (shown != -1) continue;
        // Every card back is the same picture, and none is black. A black
        // cell is a window erased and not yet drawn again; cells that differ
        // are what lay over the window before (a dialog just closed) and
        // would pass for a board of card backs.
        const COLORREF pixel = PixelAt(cell);
        if (pixel == RGB(0, 0, 0) || pixel != back.value_or(pixel)) return false;
        back = pixel;
    }
    return true;
}

void BoardPlayer::ClickCell(int cell, bool right) {
    if (input_ == BoardInput::Mouse) {
        const POINT p = CellCentre(cell);
        game_.ClickClient(p.x, p.y, right);
        return;
    }
    if (right) {
        game_.PressKey(VK_ESCAPE);
        return;
    }
    for (; cursor_ % columns_ < cell % columns_; ++cursor_) game_.PressKey(VK_RIGHT);
    for (; cursor_ % columns_ > cell % columns_; --cursor_) game_.PressKey(VK_LEFT);
    for (; cursor_ / columns_ < cell / columns_; cursor_ += columns_) game_.PressKey(VK_DOWN);
    for (; cursor_ / columns_ > cell / columns_; cursor_ -= columns_) game_.PressKey(VK_UP);
    game_.PressKey(VK_SPACE);
}

int BoardPlayer::CursorShown() {
    // The frame's outer line is white, a colour no card back and no
    // PositionColour picture has.
    const int width = pictureWidth_ / columns_, height = pictureHeight_ / rows_;
    const Screenshot view = game_.CaptureClient(width * columns_, height * rows_);
    int found = -1;
    for (int cell = 0; cell < cells(); ++cell) {
        const int left = (cell % columns_) * width, top = (cell / columns_) * height;
        if (view.At(left, top + height / 2) != RGB(255, 255, 255)) continue;
        if (found >= 0) return -1;
        found = cell;
    }
    return found;
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
        const COLORREF back = CardBackAt(cell);
        ClickCell(cell);
        if (!WaitUntil([&] { return Shown(cell) != -1; }, kBoardTimeoutMs)) {
            return "cell " + std::to_string(cell) + " does not turn up; " + Describe();
        }
        pieceIn[cell] = Shown(cell);
        ClickCell(cell);
        if (!WaitUntil([&] { return PixelAt(cell) == back; }, kBoardTimeoutMs)) {
            char colours[64];
            std::snprintf(colours, sizeof colours, " (card back %06lx, now %06lx)", static_cast<unsigned long>(back),
                          static_cast<unsigned long>(PixelAt(cell)));
            return "cell " + std::to_string(cell) + " does not turn down again" + colours;
        }
    }
    std::vector<int> sorted = pieceIn;
    std::sort(sorted.begin(), sorted.end());
    for (int piece = 0; piece < cells(); ++piece) {
        if (sorted[piece] != piece) return "not every piece lies once; " + Describe();
    }
    return {};
}

std::string BoardPlayer::ReadRankedDeal() {
    for (int deal = 1;; ++deal) {
        const std::string failure = ReadPieces();
        if (!failure.empty()) return failure;
        int home = 0;
        for (int cell = 0; cell < cells(); ++cell) home += pieceIn[cell] == cell;
        if (4 * home <= cells()) return {};
        if (deal == 4) return "four deals in a row lay more than a quarter home";
        Sleep(1100);
        // As the player plays: a keyboard player presses F2 (which shows the
        // cursor's frame), a mouse player chooses スタート.
        const bool dealt = input_ == BoardInput::Keyboard ? (game_.PressKey(VK_F2), game_.Sync())
                                                          : game_.ChooseMenuItem(1, -1);
        cursor_ = 0;  // a new game puts the keyboard's cursor top left
        if (!dealt || !WaitUntil([&] { return FreshBoardShown(); }, kBoardTimeoutMs)) {
            return "no new deal; " + Describe();
        }
    }
}

std::string BoardPlayer::SwapHome(bool watchReveal, std::vector<int> goal) {
    if (goal.empty()) {
        for (int cell = 0; cell < cells(); ++cell) goal.push_back(cell);
    }
    auto solved = [&] { return pieceIn == goal; };
    for (int home = 0; home < cells() && !solved(); ++home) {
        const int piece = goal[home];
        if (pieceIn[home] == piece) continue;
        const int from = static_cast<int>(std::find(pieceIn.begin(), pieceIn.end(), piece) - pieceIn.begin());
        const COLORREF homeBack = CardBackAt(home);
        const COLORREF fromBack = CardBackAt(from);
        ClickCell(home);
        ClickCell(from);
        if (!WaitUntil([&] { return Shown(home) == pieceIn[home] && Shown(from) == piece; }, kBoardTimeoutMs)) {
            return "picks of " + std::to_string(home) + " and " + std::to_string(from) + " do not show; " +
                   Describe();
        }
        ClickCell(from);
        std::swap(pieceIn[home], pieceIn[from]);
        if (solved()) break;
        const auto revealShown = [&] { return Shown(home) == piece && Shown(from) == pieceIn[from]; };
        if (watchReveal && !WaitUntil(revealShown, kBoardTimeoutMs)) {
            return "the exchanged pieces of " + std::to_string(home) + " and " + std::to_string(from) +
                   " do not show during the reveal; " + Describe();
        }
        // The next pick waits for the reveal to end: face-down cells show it.
        // In easy mode pieces at home stay face up; when both went home the
        // end cannot be seen, so the reveal's 700 ms are waited out, with
        // room for a timer that fires late on a busy machine.
        if (easy_ && pieceIn[from] == from) {
            Sleep(1500);
            continue;
        }
        const auto revealOver = [&] { return (easy_ || PixelAt(home) == homeBack) && PixelAt(from) == fromBack; };
        if (!WaitUntil(revealOver, kBoardTimeoutMs)) {
            return "the reveal of " + std::to_string(home) + " and " + std::to_string(from) + " does not end";
        }
    }
    return {};
}
