// The history of finished games: one line per game in history.txt, and what
// the games of each board size and rule add up to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A line longer than this is no line the program wrote: it is skipped.
constexpr size_t kMaxHistoryLine = 1024;

// A moment in local time, as the clock of the player's computer shows it.
struct LocalTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// Whether the game could set a best time.
enum class Ranking { Ranked, Unranked };

// One game played to the end.
struct FinishedGame {
    LocalTime when;
    int columns = 0;
    int rows = 0;
    bool easyMode = false;
    uint32_t seconds = 0;
    Ranking ranking = Ranking::Ranked;
    std::string picture;  // the picture's name, in the list files' code page
};

// The game's line, its CR LF included, one tab between its fields:
// "1<TAB>2026-12-08 14:03:22<TAB>4<TAB>4<TAB>difficult<TAB>83<TAB>ranked<TAB>pic.bmp".
// A tab or line break in the picture's name becomes a blank, so that the
// line stays one line of eight fields.
std::string FormatHistoryLine(const FinishedGame& game);

// One line (with or without its line break) back into its game; none when
// the line is damaged: not eight fields, another format, a date, number,
// board side or word out of place, or longer than kMaxHistoryLine.
std::optional<FinishedGame> ParseHistoryLine(std::string_view line);

// Where the bytes of a history begin.
enum class HistoryBytes {
    WholeFile,  // at the file's start
    Tail,       // somewhere inside it: the first line may be cut and is dropped
};

// Every game of the history, oldest first; damaged lines are skipped.
std::vector<FinishedGame> ParseHistory(std::string_view bytes, HistoryBytes start);

// What the games of one board size and rule add up to.
struct HistorySummary {
    int columns = 0;
    int rows = 0;
    bool easyMode = false;
    int games = 0;
    uint32_t bestSeconds = 0;
    uint32_t averageSeconds = 0;  // rounded to the nearest second
    uint32_t lastSeconds = 0;     // of the game finished last
};

// One summary for each board size and rule that has games: easy first, then
// in the best-time table's order.
std::vector<HistorySummary> SummariseHistory(const std::vector<FinishedGame>& games);
