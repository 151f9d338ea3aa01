// The saved game's format.
#include "storage/saved_game.h"

#include <algorithm>

#include "game/board.h"
#include "storage/list_file.h"
#include "storage/paths.h"

namespace {

const char kBegin[] = "#GAME";
const char kEnd[] = "#GAME_END";
const char kPicture[] = "PICTURE=";
const char kPictureSize[] = "PICTURE_SIZE=";
const char kBoard[] = "BOARD=";
const char kRule[] = "RULE=";
const char kOrder[] = "ORDER=";
const char kTime[] = "TIME=";
const char kEasy[] = "easy";
const char kDifficult[] = "difficult";

// The longest path the program hands to a loader, and the largest picture
// side any screen gives, with room to spare.
constexpr size_t kMaxPathBytes = kPathSize - 1;
constexpr uint32_t kMaxPictureSide = 65535;

std::string Join(const std::vector<int>& values) {
    std::string out;
    for (const int value : values) out += (out.empty() ? "" : ",") + std::to_string(value);
    return out;
}

// Plain decimal digits, nothing else, up to `limit`.
std::optional<uint32_t> Number(std::string_view text, uint32_t limit) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    if (value > limit) return std::nullopt;
    return static_cast<uint32_t>(value);
}

// "a,b" as two numbers up to `limit`.
std::optional<std::pair<int, int>> Pair(std::string_view text, uint32_t limit) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto first = Number(text.substr(0, comma), limit);
    const auto second = Number(text.substr(comma + 1), limit);
    if (!first || !second) return std::nullopt;
    return std::pair<int, int>{static_cast<int>(*first), static_cast<int>(*second)};
}

std::optional<std::vector<int>> Numbers(std::string_view text) {
    std::vector<int> values;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const auto value = Number(text.substr(start, comma == std::string_view::npos ? comma : comma - start),
                                  kMaxCellCount - 1);
        if (!value || values.size() == kMaxCellCount) return std::nullopt;
        values.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos) return values;
        start = comma + 1;
    }
}

bool TakeValue(const std::string& line, const char* key, std::optional<std::string>& value, bool& damaged) {
    const std::string_view prefix(key);
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    if (value) damaged = true;  // a key given twice
    value = line.substr(prefix.size());
    return true;
}

bool IsSide(int side) { return side >= kMinSide && side <= kMaxSide; }

// Each of the board's pieces exactly once.
bool IsArrangement(std::vector<int> order, int cellCount) {
    if (static_cast<int>(order.size()) != cellCount) return false;
    std::sort(order.begin(), order.end());
    for (int i = 0; i < cellCount; ++i) {
        if (order[static_cast<size_t>(i)] != i) return false;
    }
    return true;
}

}  // namespace

std::string FormatSavedGame(const SavedGame& game) {
    std::string out = std::string(kBegin) + "\r\n";
    out += kPicture + game.picturePath + "\r\n";
    out += kPictureSize + std::to_string(game.pictureWidth) + "," + std::to_string(game.pictureHeight) + "\r\n";
    out += kBoard + std::to_string(game.columns) + "," + std::to_string(game.rows) + "\r\n";
    out += std::string(kRule) + (game.easyMode ? kEasy : kDifficult) + "\r\n";
    out += kOrder + Join(game.cellOrder) + "\r\n";
    out += kTime + std::to_string(game.playedMs) + "\r\n";
    return out + kEnd + "\r\n";
}

std::optional<SavedGame> ParseSavedGame(std::string_view bytes) {
    // The program writes every line whole: a file without the end marker's
    // line break was cut short.
    if (bytes.empty() || bytes.back() != '\n') return std::nullopt;
    size_t at = 0;
    std::string line;
    if (!ReadLine(bytes, at, line) || line != kBegin) return std::nullopt;
    std::optional<std::string> picture, size, board, rule, order, time;
    bool damaged = false, ended = false;
    while (!damaged && !ended && ReadLine(bytes, at, line)) {
        ended = line == kEnd;
        if (ended || TakeValue(line, kPictureSize, size, damaged) || TakeValue(line, kPicture, picture, damaged) ||
            TakeValue(line, kBoard, board, damaged) || TakeValue(line, kRule, rule, damaged) ||
            TakeValue(line, kOrder, order, damaged) || TakeValue(line, kTime, time, damaged)) {
            continue;
        }
        damaged = true;
    }
    if (damaged || !ended || !picture || !size || !board || !rule || !order || !time) return std::nullopt;

    SavedGame game;
    game.picturePath = *picture;
    if (game.picturePath.empty() || game.picturePath.size() > kMaxPathBytes ||
        game.picturePath.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const auto pictureSize = Pair(*size, kMaxPictureSide);
    const auto shape = Pair(*board, kMaxSide);
    const auto cells = Numbers(*order);
    const auto played = Number(*time, UINT32_MAX);
    if (!pictureSize || !shape || !cells || !played || (*rule != kEasy && *rule != kDifficult)) return std::nullopt;
    game.pictureWidth = pictureSize->first;
    game.pictureHeight = pictureSize->second;
    game.columns = shape->first;
    game.rows = shape->second;
    // Every cell at least one pixel wide and high.
    if (!IsSide(game.columns) || !IsSide(game.rows) || game.pictureWidth < game.columns ||
        game.pictureHeight < game.rows) {
        return std::nullopt;
    }
    game.easyMode = *rule == kEasy;
    game.cellOrder = *cells;
    if (!IsArrangement(game.cellOrder, game.columns * game.rows)) return std::nullopt;
    game.playedMs = *played;
    return game;
}
