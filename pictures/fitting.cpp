// Loader choice and screen fitting of pictures.
#include "pictures/fitting.h"

#include <cstring>

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The ratio is held in single precision on purpose: 1024 / 1600 as a float
// is slightly below 0.64, and the sizes players have seen depend on that.
int Scale(int length, float ratio) { return static_cast<int>(static_cast<double>(length) * ratio); }

}  // namespace

bool HasExtension(const char* path, const char* extension) {
    const size_t n = std::strlen(path);
    if (n < 3) return false;
    const char* tail = path + n - 3;
    for (int i = 0; i < 3; ++i) {
        if (FoldCase(tail[i]) != FoldCase(extension[i])) return false;
        if (extension[i] == '\0') return false;
    }
    return true;
}

FittedSize FitToScreen(int width, int height, int areaWidth, int areaHeight, int allowance) {
    const bool tooWide = width > areaWidth;
    const bool tooHigh = height + allowance > areaHeight;
    if (!tooWide && !tooHigh) return FittedSize{width, height, false};
    const float widthRatio = static_cast<float>(areaWidth) / static_cast<float>(width);
    const float heightRatio = static_cast<float>(areaHeight - allowance) / static_cast<float>(height);
    // Both from the decoded size: a picture that needs both rules takes the
    // one that shrinks it more. The height rule wins a tie, as it always did.
    if (tooHigh && (!tooWide || heightRatio <= widthRatio)) {
        return FittedSize{Scale(width, heightRatio), areaHeight - allowance, true};
    }
    return FittedSize{areaWidth, Scale(height, widthRatio), true};
}
