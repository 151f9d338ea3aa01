// The celebration's texts and movement.
#include "scores/celebration.h"

#include <cstdio>

const char kClearCaption[] = "Clear!";

namespace {

constexpr int kSlideStep = 96;      // pixels per slide-in step
constexpr int kMarqueeStep = 16;    // pixels per marquee step
constexpr int kMarqueeWrap = -400;  // a text left of this re-enters at the right edge
constexpr int kMarqueeGap = 32;     // between "Clear!" and the time on a marquee

std::string Format(const char* format, uint32_t first, uint32_t second = 0) {
    char text[1024];
    std::snprintf(text, sizeof text, format, static_cast<int>(first), static_cast<int>(second));
    return text;
}

}  // namespace

std::string FormatMeasuringText(uint32_t elapsedMs) {
    if (elapsedMs >= 60000u) {
        return Format("Clear!\r\n\r\nTime %dmin. %dsec.", elapsedMs / 60000u, (elapsedMs / 1000u) % 60u);
    }
    return Format("Clear!\r\n\r\nTime %dsec.", (elapsedMs / 1000u) % 60u);
}

std::string FormatTimeText(uint32_t elapsedMs) {
    if (elapsedMs >= 60000u) return Format("Time %dmin. %dsec.", elapsedMs / 60000u, (elapsedMs / 1000u) % 60u);
    return Format("Time %dsec.", (elapsedMs / 1000u) % 60u);
}

unsigned StartCelebration(ClearState& clear, const CaptionMetrics& m, int viewWidth, int viewHeight) {
    clear.clearSliding = true;
    clear.captionX = viewWidth;
    if (m.fullWidth <= viewWidth) {
        clear.clearMode = ClearMode::SlideIn;
        clear.timeX = viewWidth + kSlideStep;
        clear.captionY = viewHeight / 2 - m.fullHeight / 2;
        clear.timeY = viewHeight / 2 + m.fullHeight / 6;
        clear.captionTargetX = viewWidth / 2 - m.captionWidth / 2;
        clear.timeTargetX = viewWidth / 2 - m.fullWidth / 2;
        return kSlideInPeriodMs;
    }
    clear.clearMode = ClearMode::Marquee;
    clear.timeX = viewWidth + m.captionWidth + kMarqueeGap;
    clear.captionY = viewHeight / 2 - m.fullHeight / 6;
    clear.timeY = clear.captionY;
    return kMarqueePeriodMs;
}

void RestCelebration(ClearState& clear, const CaptionMetrics& m, int viewWidth, int viewHeight) {
    clear.clearMode = ClearMode::SlideIn;
    clear.clearSliding = false;
    clear.captionY = viewHeight / 2 - m.fullHeight / 2;
    clear.timeY = viewHeight / 2 + m.fullHeight / 6;
    clear.captionTargetX = m.captionWidth <= viewWidth ? viewWidth / 2 - m.captionWidth / 2 : 0;
    clear.timeTargetX = m.fullWidth <= viewWidth ? viewWidth / 2 - m.fullWidth / 2 : 0;
    clear.captionX = clear.captionTargetX;
    clear.timeX = clear.timeTargetX;
}

CelebrationFrame StepCelebration(ClearState& clear, int viewWidth) {
    if (!clear.clearSliding) return {clear.captionTargetX, clear.captionY, clear.timeTargetX, clear.timeY};
    if (clear.clearMode == ClearMode::SlideIn) {
        clear.captionX -= kSlideStep;
        if (clear.captionX < clear.captionTargetX) clear.captionX = clear.captionTargetX;
        clear.timeX -= kSlideStep;
        if (clear.timeX < clear.timeTargetX) {
            clear.timeX = clear.timeTargetX;
            clear.clearSliding = false;
        }
    } else {
        clear.captionX -= kMarqueeStep;
        if (clear.captionX < kMarqueeWrap) clear.captionX = viewWidth;
        clear.timeX -= kMarqueeStep;
        if (clear.timeX < kMarqueeWrap) clear.timeX = viewWidth;
    }
    return {clear.captionX, clear.captionY, clear.timeX, clear.timeY};
}

void ResetClearState(Play& play, ClearState& clear) {
    clear.clearMode = ClearMode::None;
    clear.clearSliding = false;
    ForgetGameTimes(play);
}
