// The history file's lines and what they add up to.
#include "scores/history.h"

#include <cstdio>
#include <map>
#include <tuple>

#include "game/board.h"
#include "game/rules.h"
#include "platform/decimal.h"

namespace {

const char kFormat[] = "1";  // the first field: the line's format
const char kEasy[] = "easy";
const char kDifficult[] = "difficult";
const char kRanked[] = "ranked";
const char kUnranked[] = "unranked";
constexpr size_t kFieldCount = 8;
// No game runs longer than the clock can count.
constexpr uint32_t kMaxSeconds = kMaxPlayedMs / 1000u;

// The fields of a line between its tabs.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos || fields.size() > kFieldCount) return fields;
        start = tab + 1;
    }
}

std::optional<int> Number(std::string_view text, size_t digits, uint32_t low, uint32_t high) {
    const auto value = ParseDigits(text, digits, high);
    if (!value || *value < low) return std::nullopt;
    return static_cast<int>(*value);
}

// "YYYY-MM-DD hh:mm:ss", each part in its range.
std::optional<LocalTime> ParseTime(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':') {
        return std::nullopt;
    }
    const auto year = Number(text.substr(0, 4), 4, 1601, 9999);
    const auto month = Number(text.substr(5, 2), 2, 1, 12);
    const auto day = Number(text.substr(8, 2), 2, 1, 31);
    const auto hour = Number(text.substr(11, 2), 2, 0, 23);
    const auto minute = Number(text.substr(14, 2), 2, 0, 59);
    const auto second = Number(text.substr(17, 2), 2, 0, 59);
    if (!year || !month || !day || !hour || !minute || !second) return std::nullopt;
    return LocalTime{*year, *month, *day, *hour, *minute, *second};
}

std::optional<bool> ParseRule(std::string_view text) {
    if (text == kEasy) return true;
    if (text == kDifficult) return false;
    return std::nullopt;
}

std::optional<Ranking> ParseRanking(std::string_view text) {
    if (text == kRanked) return Ranking::Ranked;
    if (text == kUnranked) return Ranking::Unranked;
    return std::nullopt;
}

// The name on one line: tabs and line breaks would split it.
std::string OneLine(std::string name) {
    for (char& c : name) {
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    }
    return name;
}

}  // namespace

std::string FormatHistoryLine(const FinishedGame& game) {
    char head[128];
    const LocalTime& t = game.when;
    std::snprintf(head, sizeof head, "%s\t%04d-%02d-%02d %02d:%02d:%02d\t%d\t%d\t%s\t%lu\t%s\t", kFormat, t.year,
                  t.month, t.day, t.hour, t.minute, t.second, game.columns, game.rows,
                  game.easyMode ? kEasy : kDifficult, static_cast<unsigned long>(game.seconds),
                  game.ranking == Ranking::Ranked ? kRanked : kUnranked);
    return head + OneLine(game.picture) + "\r\n";
}

std::optional<FinishedGame> ParseHistoryLine(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxHistoryLine) return std::nullopt;
    const std::vector<std::string_view> fields = Fields(line);
    if (fields.size() != kFieldCount || fields[0] != kFormat) return std::nullopt;
    const auto when = ParseTime(fields[1]);
    const auto columns = Number(fields[2], 2, kMinSide, kMaxSide);
    const auto rows = Number(fields[3], 2, kMinSide, kMaxSide);
    const auto easyMode = ParseRule(fields[4]);
    const auto seconds = ParseDigits(fields[5], 10, kMaxSeconds);
    const auto ranking = ParseRanking(fields[6]);
    if (!when || !columns || !rows || !easyMode || !seconds || !ranking) return std::nullopt;
    return FinishedGame{*when, *columns, *rows, *easyMode, *seconds, *ranking, std::string(fields[7])};
}

std::vector<FinishedGame> ParseHistory(std::string_view bytes, HistoryBytes start) {
    std::vector<FinishedGame> games;
    size_t from = 0;
    if (start == HistoryBytes::Tail) {
        const size_t firstBreak = bytes.find('\n');
        from = firstBreak == std::string_view::npos ? bytes.size() : firstBreak + 1;
    }
    while (from < bytes.size()) {
        const size_t end = bytes.find('\n', from);
        const size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (auto game = ParseHistoryLine(bytes.substr(from, next - from))) games.push_back(std::move(*game));
        from = next;
    }
    return games;
}

std::vector<HistorySummary> SummariseHistory(const std::vector<FinishedGame>& games) {
    // Keyed easy first, then row by row as the best-time table runs.
    std::map<std::tuple<bool, int, int>, std::pair<HistorySummary, uint64_t>> sums;
    for (const FinishedGame& game : games) {
        auto& [summary, total] = sums[{!game.easyMode, game.rows, game.columns}];
        if (summary.games == 0 || game.seconds < summary.bestSeconds) summary.bestSeconds = game.seconds;
        summary.columns = game.columns;
        summary.rows = game.rows;
        summary.easyMode = game.easyMode;
        summary.lastSeconds = game.seconds;
        ++summary.games;
        total += game.seconds;
    }
    std::vector<HistorySummary> summaries;
    for (auto& [key, sum] : sums) {
        auto& [summary, total] = sum;
        const uint64_t count = static_cast<uint64_t>(summary.games);
        summary.averageSeconds = static_cast<uint32_t>((total + count / 2) / count);
        summaries.push_back(summary);
    }
    return summaries;
}
