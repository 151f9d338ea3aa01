// Screen fitting of pictures.
#include "pictures/fitting.h"

namespace {

// The ratio is held in single precision on purpose: 1024 / 1600 as a float
// is slightly below 0.64, and the sizes players have seen depend on that.
int Scale(int length, float ratio) { return static_cast<int>(static_cast<double>(length) * ratio); }

}  // namespace

FittedSize FitToScreen(int width, int height, int areaWidth, int areaHeight, int allowance) {
    const bool tooWide = width > areaWidth;
    const bool tooHigh = height + allowance > areaHeight;
    if (!tooWide && !tooHigh) return FittedSize{width, height};
    const float widthRatio = static_cast<float>(areaWidth) / static_cast<float>(width);
    const float heightRatio = static_cast<float>(areaHeight - allowance) / static_cast<float>(height);
    // Both from the decoded size: a picture that needs both rules takes the
    // one that shrinks it more. The height rule wins a tie, as it always did.
    if (tooHigh && (!tooWide || heightRatio <= widthRatio)) {
        return FittedSize{Scale(width, heightRatio), areaHeight - allowance};
    }
    return FittedSize{areaWidth, Scale(height, widthRatio)};
}
