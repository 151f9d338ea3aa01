// The picture of a game saved at the last close, brought back at start-up.
#pragma once

#include <windows.h>

#include <string>

#include "display/views.h"
#include "pictures/image_list.h"

// Loads `path` as the picture of a saved game: as the play-list's entry when
// the list holds it, else as a single file. Loaded only when it still gives
// the fitted size of `width` x `height` the arrangement was made on;
// otherwise nothing is loaded and the start goes on as without a saved game.
PictureChange LoadSavedPicture(HWND window, PictureSource& source, Screen& screen, const std::string& path,
                               int width, int height);
