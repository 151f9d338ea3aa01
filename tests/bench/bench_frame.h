// What the start-up picture and the floor window both show, so that one
// screen check tells that either program has put its first frame up.
#pragma once

#include <windows.h>

constexpr int kStartWidth = 640;
constexpr int kStartHeight = 480;
constexpr COLORREF kStartColour = RGB(40, 160, 220);
constexpr const char kFloorClass[] = "kanoze_floor";
// The floor window's caption once it has shown its fitted jpg.
constexpr const char kFloorShownCaption[] = "Floor shown";
