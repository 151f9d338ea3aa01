// The celebration of a cleared board: its texts, where they start and how
// they move.
#pragma once

#include <cstdint>
#include <string>

#include "game/rules.h"

constexpr int kCaptionFontHeight = 60;
constexpr unsigned kSlideInPeriodMs = 60;
constexpr unsigned kMarqueePeriodMs = 100;
constexpr unsigned kCelebrationMs = 10000;

extern const char kClearCaption[];  // "Clear!"

// The three-line text measured to lay the celebration out; never drawn.
std::string FormatMeasuringText(uint32_t elapsedMs);
// The time as drawn under (or after) "Clear!".
std::string FormatTimeText(uint32_t elapsedMs);

// What the measuring font said about the texts.
struct CaptionMetrics {
    int fullWidth;     // widest line of the measuring text
    int fullHeight;    // its three lines
    int captionWidth;  // "Clear!" alone
};

// Chooses slide-in or marquee and sets the starting positions; returns the
// period of the animation timer in milliseconds.
unsigned StartCelebration(ClearState& clear, const CaptionMetrics& metrics, int viewWidth, int viewHeight);

// Where one frame draws the two texts.
struct CelebrationFrame {
    int captionLeft, captionTop, timeLeft, timeTop;
};

// One animation step: moves the texts of a moving celebration and tells
// where the frame draws them.
CelebrationFrame StepCelebration(ClearState& clear, int viewWidth);
