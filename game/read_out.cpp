// The read-out's text, built from plain facts and the words of the player's language.
#include "game/read_out.h"

namespace {

std::wstring TwoDigits(uint32_t value) {
    return (value < 10 ? L"0" : L"") + std::to_wstring(value);
}

// The pattern with its `{n}` put as `number`; a pattern without one is taken as it is.
std::wstring WithNumber(const std::wstring& pattern, int number) {
    const std::wstring slot = L"{n}";
    const size_t at = pattern.find(slot);
    if (at == std::wstring::npos) return pattern;
    return pattern.substr(0, at) + std::to_wstring(number) + pattern.substr(at + slot.size());
}

}  // namespace

std::wstring PlayedTimeText(uint32_t playedMs) {
    const uint32_t seconds = playedMs / 1000;
    const uint32_t hours = seconds / 3600, minutes = seconds / 60 % 60;
    const std::wstring minutesAndSeconds = TwoDigits(minutes) + L":" + TwoDigits(seconds % 60);
    if (hours > 0) return std::to_wstring(hours) + L":" + minutesAndSeconds;
    return std::to_wstring(minutes) + L":" + TwoDigits(seconds % 60);
}

std::wstring ReadOutText(const ReadOutFacts& facts, const ReadOutWords& words) {
    const std::wstring& swaps = facts.exchanges == 1 ? words.oneSwap : words.swaps;
    std::wstring text = PlayedTimeText(facts.playedMs) + words.separator + WithNumber(swaps, facts.exchanges) +
                        words.separator + std::to_wstring(facts.piecesHome) + L"/" + std::to_wstring(facts.cellCount);
    if (facts.rank == DealRank::Unranked) text += words.separator + words.unranked;
    if (facts.status == ReadOutStatus::Paused) text += words.separator + words.paused;
    if (facts.status == ReadOutStatus::Resumed) text += words.separator + words.resumed;
    return text;
}

ReadOutStatus ReadOutStatusOf(const Play& play, std::optional<uint32_t> resumedAtMs, uint32_t tickNow) {
    if (IsPaused(play)) return ReadOutStatus::Paused;
    if (resumedAtMs && PlayedMilliseconds(play, tickNow) - *resumedAtMs < kResumedShowMs) {
        return ReadOutStatus::Resumed;
    }
    return ReadOutStatus::Running;
}
