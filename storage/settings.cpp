// The player's choices as the settings file holds them.
#include "storage/settings.h"

namespace {

const char kEasy[] = "easy";
const char kDifficult[] = "difficult";
// The name dialog takes 255 bytes, as the best-time tables hold them.
constexpr size_t kMaxNameBytes = 255;

// A board side from 4 to 10 in plain digits, or `fallback`.
int Side(std::string_view text, int fallback) {
    if (text.empty() || text.size() > 2) return fallback;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return fallback;
        value = value * 10 + (c - '0');
    }
    return value >= kMinSide && value <= kMaxSide ? value : fallback;
}

}  // namespace

Settings ParseSettings(const SettingsText& text) {
    Settings settings;
    settings.columns = Side(text.columns, settings.columns);
    settings.rows = Side(text.rows, settings.rows);
    settings.easyMode = text.rule == kEasy;
    // A name with a control character is not one the dialog gave.
    bool typed = text.playerName.size() <= kMaxNameBytes;
    for (const char c : text.playerName) typed = typed && static_cast<unsigned char>(c) >= 0x20;
    if (typed) settings.playerName = text.playerName;
    return settings;
}

SettingsText FormatSettings(const Settings& settings) {
    return {std::to_string(settings.columns), std::to_string(settings.rows), settings.easyMode ? kEasy : kDifficult,
            settings.playerName};
}
