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

FittedSize FitToScreen(int width, int height, int screenWidth, int screenHeight,
                       int menuAllowance) {
    FittedSize fitted{width, height, false};
    if (width > screenWidth) {
        const float ratio = static_cast<float>(screenWidth) / static_cast<float>(width);
        fitted = FittedSize{screenWidth, Scale(height, ratio), true};
    }
    if (height + menuAllowance > screenHeight) {
        const float ratio = static_cast<float>(screenHeight - menuAllowance) / static_cast<float>(height);
        fitted = FittedSize{Scale(width, ratio), screenHeight - menuAllowance, true};
    }
    return fitted;
}
