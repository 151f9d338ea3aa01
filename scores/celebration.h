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

enum class ClearMode {
    None,     // no celebration runs
    SlideIn,  // the texts slide in from the right and come to rest
    Marquee,  // too wide for the view: the texts run past on one line
};

// The celebration of a cleared board. Its end resets the mode; the
// positions keep their values until the next celebration sets them.
struct ClearState {
    ClearMode clearMode = ClearMode::None;
    bool clearSliding = false;  // the texts still move; a marquee never stops
    int captionX = 0;
    int captionY = 0;
    int timeX = 0;
    int timeY = 0;
    int captionTargetX = 0;  // where the texts of a slide-in come to rest
    int timeTargetX = 0;
};

// Ends the celebration and clears the game's ticks, so that it is not due again.
void ResetClearState(Play& play, ClearState& clear);

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

// When Windows asks for no animations: the texts stand still from the first
// frame, "Clear!" centred over the time as a slide-in ends. A text wider
// than the view starts at its left edge.
void RestCelebration(ClearState& clear, const CaptionMetrics& metrics, int viewWidth, int viewHeight);

// Where one frame draws the two texts.
struct CelebrationFrame {
    int captionLeft, captionTop, timeLeft, timeTop;
};

// One animation step: moves the texts of a moving celebration and tells
// where the frame draws them.
CelebrationFrame StepCelebration(ClearState& clear, int viewWidth);
