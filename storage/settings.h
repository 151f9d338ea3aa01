// The player's choices kept between runs in kanoze.ini: the board size and
// rule of the difficulty dialog and the last name typed.
#pragma once

#include <string>
#include <string_view>

#include "game/board.h"

struct Settings {
    int columns = kMinSide;
    int rows = kMinSide;
    bool easyMode = false;
    std::string playerName;  // empty: none typed yet
};

// The values as the settings file holds them, one text per key.
struct SettingsText {
    std::string columns;
    std::string rows;
    std::string rule;
    std::string playerName;
};

// What each value of the file stands for; a value that is missing, damaged
// or out of range gives its default (4, 4, difficult, no name).
Settings ParseSettings(const SettingsText& text);
SettingsText FormatSettings(const Settings& settings);
