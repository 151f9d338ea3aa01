// Where a dialog opens: centred over the window that owns it.
#pragma once

// A rectangle in screen pixels, right and bottom outside it.
struct ScreenBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

// The top-left corner of a `width` x `height` dialog centred over `owner`,
// moved into `workArea` (the owner's monitor without the taskbar) where it
// would reach out of it; a dialog larger than the work area keeps its
// top-left corner, and so its caption and its close box, inside it.
ScreenPoint CentredOver(const ScreenBox& owner, int width, int height, const ScreenBox& workArea);
