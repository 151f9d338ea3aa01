// The player's choices kept between runs in kanoze.ini: the board size and
// rule of the difficulty dialog, the last name typed, whether the menu bar
// shows the game's read-out, and the music's volume.
#pragma once

#include <string>
#include <string_view>

#include "game/board.h"

// The music's volume in steps: 0 is mute, the last is full.
constexpr int kVolumeSteps = 4;

struct Settings {
    int columns = kMinSide;
    int rows = kMinSide;
    bool easyMode = false;
    std::string playerName;  // empty: none typed yet
    bool showReadOut = true;
    int volumeStep = kVolumeSteps - 1;
};

// The values as the settings file holds them, one text per key.
struct SettingsText {
    std::string columns;
    std::string rows;
    std::string rule;
    std::string playerName;
    std::string readOut = {};  // "on" or "off"
    std::string volume = {};   // the step, 0 to 3
};

// What each value of the file stands for; a value that is missing, damaged
// or out of range gives its default (4, 4, difficult, no name, the read-out
// shown, full volume).
Settings ParseSettings(const SettingsText& text);
SettingsText FormatSettings(const Settings& settings);

// The values of the file's [Kanoze] section, read as Windows' profile
// functions read them (keys and section without case, blanks around a value
// and one pair of quotes round it dropped), but byte for byte: no code page
// stands between the file and a name.
SettingsText ReadSettingsFile(std::string_view bytes);

// The file `bytes` with the section's values set to `text`, everything else
// in it kept as it was. A file that is no text of this kind (UTF-16) is
// written afresh. The name is quoted, so that blanks at either end stay.
std::string UpdateSettingsFile(std::string_view bytes, const SettingsText& text);
