// The read-out of the game in progress at the right end of the menu bar:
// time played, exchanges made, pieces home, and what the game is doing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game/rules.h"

// How long "resumed" shows once a saved game that came back goes on, in
// time played: a game taken up paused shows it when the player is back.
constexpr uint32_t kResumedShowMs = 5000;

// The words of the read-out in the player's language. `{n}` in a pattern
// stands for the number.
struct ReadOutWords {
    std::wstring separator;  // between the parts: "　", "  "
    std::wstring swaps;      // "{n}手", "{n} swaps"
    std::wstring oneSwap;    // "{n}手", "{n} swap"
    std::wstring unranked;   // "※", "(unranked)"
    std::wstring paused;     // "一時停止中", "Paused"
    std::wstring resumed;    // "再開", "resumed"
};

// What the game is doing besides running.
enum class ReadOutStatus {
    Running,
    Paused,
    Resumed,  // a saved game has just come back
};

// Whether the deal can set a best time.
enum class DealRank { Ranked, Unranked };

struct ReadOutFacts {
    uint32_t playedMs = 0;
    int exchanges = 0;
    int piecesHome = 0;
    int cellCount = 0;
    DealRank rank = DealRank::Ranked;
    ReadOutStatus status = ReadOutStatus::Running;
};

// Whole seconds as m:ss, or h:mm:ss from an hour on.
std::wstring PlayedTimeText(uint32_t playedMs);

// "1:23　12手　9/16", then the unranked mark and the status where they apply.
std::wstring ReadOutText(const ReadOutFacts& facts, const ReadOutWords& words);

// Paused while the game is paused; resumed for the first kResumedShowMs
// played after a saved game came back with `resumedAtMs` played (none: the
// game was started here); running otherwise.
ReadOutStatus ReadOutStatusOf(const Play& play, std::optional<uint32_t> resumedAtMs, uint32_t tickNow);
