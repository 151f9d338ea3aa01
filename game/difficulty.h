// The check of a board-size edit in the difficulty dialog.
#pragma once

#include <optional>
#include <string_view>

#include "game/board.h"

// What the text of a size edit holds.
struct SizeText {
    // Half-width digits only, or nothing yet: the player may go on typing.
    // Anything else is refused, and the player must be told.
    bool accepted = false;
    // The value, when the text is a side from 4 to 10: the dialog takes it.
    std::optional<int> side;
};

SizeText ValidateSizeText(std::string_view text);
