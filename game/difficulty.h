// The check of a board-size edit in the difficulty dialog.
#pragma once

#include "game/board.h"

// Accepts `text` when it holds only half-width digits (an empty text too) and
// then takes its value into `*work` when it is a side from 4 to 10. Returns 1
// when the text was accepted, whether or not the value was taken; 0 when it
// holds anything else (the player must be told).
int ValidateSizeText(const char* text, int* work);
