// The best-time roll on the screen.
#pragma once

#include <windows.h>

// One step of the roll; 0 once it has ended and the picture is shown again.
int StepScoreRoll(HWND window);
int DrawScoreRoll(int left, int top, int right);
