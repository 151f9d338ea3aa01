// The player's choices as the settings file holds them.
#include "storage/settings.h"

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "platform/decimal.h"
#include "platform/paths.h"
#include "storage/list_file.h"

namespace {

const char kSection[] = "Kanoze";
const char kColumnsKey[] = "Columns";
const char kRowsKey[] = "Rows";
const char kRuleKey[] = "Rule";
const char kNameKey[] = "Name";
const char kReadOutKey[] = "ReadOut";
const char kVolumeKey[] = "Volume";
const char kOn[] = "on";
const char kOff[] = "off";
const char kEasy[] = "easy";
const char kDifficult[] = "difficult";
// The name dialog takes 255 bytes, as the best-time tables hold them.
constexpr size_t kMaxNameBytes = 255;

// A board side from 4 to 10 in one or two plain digits, or `fallback`.
int Side(std::string_view text, int fallback) {
    const std::optional<uint32_t> value = ParseDigits(text, 2, kMaxSide);
    return value && *value >= kMinSide ? static_cast<int>(*value) : fallback;
}

bool SameWithoutCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// "[name]" as a section header; empty for any other line.
std::string_view SectionOf(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return {};
    return Trimmed(line.substr(1, line.size() - 2));
}

// One "key=value" line: whether it is one, its key, and its value.
struct KeyLine {
    bool isKey = false;
    std::string_view key;
    std::string_view value;
};

KeyLine KeyOf(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos || Trimmed(line).substr(0, 1) == ";") return {};
    std::string_view value = Trimmed(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return {true, Trimmed(line.substr(0, equals)), value};
}

// The file's lines without their line ends.
std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    size_t at = 0;
    std::string line;
    while (ReadLine(bytes, at, line)) lines.push_back(line);
    return lines;
}

bool IsText(std::string_view bytes) {
    return !(bytes.size() >= 2 &&
             ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')));
}

using Values = std::vector<std::pair<const char*, std::string>>;

Values ValuesOf(const SettingsText& text) {
    return {{kColumnsKey, text.columns}, {kRowsKey, text.rows},
            {kRuleKey, text.rule},       {kNameKey, "\"" + text.playerName + "\""},
            {kReadOutKey, text.readOut}, {kVolumeKey, text.volume}};
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
    settings.showReadOut = text.readOut != kOff;
    const std::optional<uint32_t> volume = ParseDigits(text.volume, 1, kVolumeSteps - 1);
    if (volume) settings.volumeStep = static_cast<int>(*volume);
    return settings;
}

SettingsText FormatSettings(const Settings& settings) {
    return {std::to_string(settings.columns),       std::to_string(settings.rows),
            settings.easyMode ? kEasy : kDifficult, settings.playerName,
            settings.showReadOut ? kOn : kOff,      std::to_string(settings.volumeStep)};
}

SettingsText ReadSettingsFile(std::string_view bytes) {
    SettingsText text;
    if (!IsText(bytes)) return text;
    bool inSection = false;
    for (const std::string& line : Lines(bytes)) {
        const std::string_view section = SectionOf(line);
        if (!section.empty()) {
            inSection = SameWithoutCase(section, kSection);
            continue;
        }
        const KeyLine key = KeyOf(line);
        if (!inSection || !key.isKey) continue;
        // The first of a key given twice counts, as for the profile functions.
        for (auto [name, value] : {std::pair{kColumnsKey, &text.columns}, std::pair{kRowsKey, &text.rows},
                                   std::pair{kRuleKey, &text.rule}, std::pair{kNameKey, &text.playerName},
                                   std::pair{kReadOutKey, &text.readOut}, std::pair{kVolumeKey, &text.volume}}) {
            if (SameWithoutCase(key.key, name) && value->empty()) value->assign(key.value);
        }
    }
    return text;
}

std::string UpdateSettingsFile(std::string_view bytes, const SettingsText& text) {
    const Values values = ValuesOf(text);
    std::vector<bool> written(values.size(), false);
    std::string out;
    // The section's keys not yet in it go at its end, before the next section.
    const auto addMissing = [&] {
        for (size_t i = 0; i < values.size(); ++i) {
            if (!written[i]) out += std::string(values[i].first) + "=" + values[i].second + "\r\n";
            written[i] = true;
        }
    };
    bool inSection = false, sectionSeen = false;
    for (const std::string& line : IsText(bytes) ? Lines(bytes) : std::vector<std::string>()) {
        const std::string_view section = SectionOf(line);
        if (!section.empty()) {
            if (inSection) addMissing();
            inSection = SameWithoutCase(section, kSection);
            sectionSeen = sectionSeen || inSection;
        }
        const KeyLine key = KeyOf(line);
        bool replaced = false;
        for (size_t i = 0; inSection && key.isKey && i < values.size(); ++i) {
            if (!SameWithoutCase(key.key, values[i].first)) continue;
            if (!written[i]) out += std::string(values[i].first) + "=" + values[i].second + "\r\n";
            written[i] = replaced = true;  // a key given twice keeps one line
        }
        if (!replaced) out += line + "\r\n";
    }
    if (!sectionSeen) out += std::string("[") + kSection + "]\r\n";
    addMissing();
    return out;
}
