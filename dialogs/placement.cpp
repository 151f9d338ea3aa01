// Where a dialog opens: centred over the window that owns it.
#include "dialogs/placement.h"

namespace {

// `start` moved so that a span of `length` from it lies within [low, high),
// or starts at `low` where it is longer.
int Inside(int start, int length, int low, int high) {
    if (start + length > high) start = high - length;
    return start < low ? low : start;
}

}  // namespace

ScreenPoint CentredOver(const ScreenBox& owner, int width, int height, const ScreenBox& workArea) {
    // Halves of the differences, not of the sums: no overflow near the
    // far ends of the virtual screen.
    const int x = owner.left + ((owner.right - owner.left) - width) / 2;
    const int y = owner.top + ((owner.bottom - owner.top) - height) / 2;
    return {Inside(x, width, workArea.left, workArea.right), Inside(y, height, workArea.top, workArea.bottom)};
}
