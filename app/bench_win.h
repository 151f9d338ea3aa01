// What the bench reaches inside the program: the start-up it runs on a
// window of its own and the state its figures read. The game itself starts
// through WinMain.
#pragma once

#include <windows.h>

#include "app/game_state_win.h"

// What start-up could not set up; the program tells the player and ends.
enum class StartFailure { None, Com, Window, Screen, Decoder, CardBack };

// The main window made and shown, the screen, the decoder and the first
// picture set up, in the COM apartment the caller has entered.
StartFailure InitApplication(HINSTANCE instance, int showCommand);
