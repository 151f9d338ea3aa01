// The saved game's format.
#include "storage/saved_game.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "game/board.h"
#include "game/rules.h"
#include "platform/decimal.h"
#include "platform/paths.h"
#include "storage/list_file.h"

namespace {

const char kBegin[] = "#GAME";
const char kEnd[] = "#GAME_END";
const char kPicture[] = "PICTURE=";
const char kPictureSize[] = "PICTURE_SIZE=";
const char kBoard[] = "BOARD=";
const char kRule[] = "RULE=";
const char kOrder[] = "ORDER=";
const char kTime[] = "TIME=";
const char kExchanges[] = "EXCHANGES=";
const char kDeal[] = "DEAL=";
const char kRanked[] = "ranked";
const char kUnranked[] = "unranked";
const char kEasy[] = "easy";
const char kDifficult[] = "difficult";

// The longest path the program hands to a loader, and the largest picture
// side any screen gives, with room to spare.
constexpr size_t kMaxPathBytes = kPathSize - 1;
constexpr uint32_t kMaxFittedSide = 65535;
// Numbers are plain decimal digits, no more than a 32-bit value has.
constexpr size_t kMaxDigits = 10;
// More exchanges than an int counts were never made.
constexpr uint32_t kMaxExchanges = 0x7FFFFFFF;

std::string Join(const std::vector<int>& values) {
    std::string out;
    for (const int value : values) out += (out.empty() ? "" : ",") + std::to_string(value);
    return out;
}

// "a,b" as two numbers up to `limit`.
std::optional<std::pair<int, int>> Pair(std::string_view text, uint32_t limit) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto first = ParseDigits(text.substr(0, comma), kMaxDigits, limit);
    const auto second = ParseDigits(text.substr(comma + 1), kMaxDigits, limit);
    if (!first || !second) return std::nullopt;
    return std::pair<int, int>{static_cast<int>(*first), static_cast<int>(*second)};
}

std::optional<std::vector<int>> Numbers(std::string_view text) {
    std::vector<int> values;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const auto value = ParseDigits(text.substr(start, comma == std::string_view::npos ? comma : comma - start),
                                       kMaxDigits, kMaxCellCount - 1);
        if (!value || values.size() == kMaxCellCount) return std::nullopt;
        values.push_back(static_cast<int>(*value));
        if (comma == std::string_view::npos) return values;
        start = comma + 1;
    }
}

// The values of a saved game's lines, each the text after its key.
struct SavedLines {
    std::optional<std::string> picture, size, board, rule, order, time, exchanges, deal;
};

// Takes the value of `line` into the slot of its key: false when no key
// opens the line, or its key was given before.
bool TakeValue(const std::string& line,
               std::initializer_list<std::pair<std::string_view, std::optional<std::string>*>> slots) {
    for (const auto& [key, value] : slots) {
        if (line.compare(0, key.size(), key) != 0) continue;
        if (*value) return false;
        *value = line.substr(key.size());
        return true;
    }
    return false;
}

// The lines between the markers, each key at most once; nothing when the
// file was cut short or holds a line the format does not have.
std::optional<SavedLines> ReadSavedLines(std::string_view bytes) {
    // The program writes every line whole: a file without the end marker's
    // line break was cut short.
    if (bytes.empty() || bytes.back() != '\n') return std::nullopt;
    size_t at = 0;
    std::string line;
    if (!ReadLine(bytes, at, line) || line != kBegin) return std::nullopt;
    SavedLines lines;
    while (ReadLine(bytes, at, line)) {
        if (line == kEnd) return lines;
        if (!TakeValue(line, {{kPictureSize, &lines.size},
                              {kPicture, &lines.picture},
                              {kBoard, &lines.board},
                              {kRule, &lines.rule},
                              {kOrder, &lines.order},
                              {kTime, &lines.time},
                              {kExchanges, &lines.exchanges},
                              {kDeal, &lines.deal}})) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

bool IsSide(int side) {
    return side >= kMinSide && side <= kMaxSide;
}

// Each of the board's pieces exactly once.
bool IsArrangement(std::vector<int> order, int cellCount) {
    if (static_cast<int>(order.size()) != cellCount) return false;
    std::sort(order.begin(), order.end());
    for (int i = 0; i < cellCount; ++i) {
        if (order[static_cast<size_t>(i)] != i) return false;
    }
    return true;
}

// The DEAL line's value; a file without one does not say.
std::optional<SavedRank> RankOf(const std::optional<std::string>& deal) {
    if (!deal) return SavedRank::NotSaid;
    if (*deal == kRanked) return SavedRank::Ranked;
    if (*deal == kUnranked) return SavedRank::Unranked;
    return std::nullopt;
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
    out += kExchanges + std::to_string(game.exchanges) + "\r\n";
    if (game.rank != SavedRank::NotSaid) {
        out += std::string(kDeal) + (game.rank == SavedRank::Ranked ? kRanked : kUnranked) + "\r\n";
    }
    return out + kEnd + "\r\n";
}

std::optional<SavedGame> ParseSavedGame(std::string_view bytes) {
    const std::optional<SavedLines> lines = ReadSavedLines(bytes);
    if (!lines || !lines->picture || !lines->size || !lines->board || !lines->rule || !lines->order || !lines->time) {
        return std::nullopt;
    }
    const std::string& picture = *lines->picture;
    const std::string& rule = *lines->rule;
    if (picture.empty() || picture.size() > kMaxPathBytes || picture.find('\0') != std::string::npos) {
        return std::nullopt;
    }
    const auto pictureSize = Pair(*lines->size, kMaxFittedSide);
    const auto shape = Pair(*lines->board, kMaxSide);
    const auto cells = Numbers(*lines->order);
    const auto played = ParseDigits(*lines->time, kMaxDigits, kMaxPlayedMs);  // no game was played longer
    const auto rank = RankOf(lines->deal);
    const auto exchanges = lines->exchanges ? ParseDigits(*lines->exchanges, kMaxDigits, kMaxExchanges)
                                            : std::optional<uint32_t>(0);
    if (!pictureSize || !shape || !cells || !played || !rank || !exchanges || (rule != kEasy && rule != kDifficult)) {
        return std::nullopt;
    }
    SavedGame game;
    game.picturePath = picture;
    game.pictureWidth = pictureSize->first;
    game.pictureHeight = pictureSize->second;
    game.columns = shape->first;
    game.rows = shape->second;
    game.easyMode = rule == kEasy;
    game.cellOrder = *cells;
    game.playedMs = *played;
    game.exchanges = static_cast<int>(*exchanges);
    game.rank = *rank;
    // Every cell at least one pixel wide and high, and each piece in one of them.
    if (!IsSide(game.columns) || !IsSide(game.rows) || game.pictureWidth < game.columns ||
        game.pictureHeight < game.rows || !IsArrangement(game.cellOrder, game.columns * game.rows)) {
        return std::nullopt;
    }
    return game;
}
