// The game in progress as it is kept between runs: its text format, written
// at close and read back, whole and checked, at the next start.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whether the saved deal can set a best time; files written before this was
// kept do not say, and the deal is then judged as it lies.
enum class SavedRank { Ranked, Unranked, NotSaid };

struct SavedGame {
    // As a play-list entry names it: relative to the program's folder when
    // the picture lies inside it, so that the folder can move; code page 932.
    std::string picturePath;
    int pictureWidth = 0;     // the fitted size the arrangement was made on
    int pictureHeight = 0;
    int columns = 0;
    int rows = 0;
    bool easyMode = false;
    std::vector<int> cellOrder;  // the piece lying in each cell
    uint32_t playedMs = 0;       // the time the game was playable so far
    int exchanges = 0;           // made so far; files written before this was kept say none
    SavedRank rank = SavedRank::Ranked;
};

// CR LF lines between "#GAME" and "#GAME_END".
std::string FormatSavedGame(const SavedGame& game);

// The game a file holds, or nothing when the bytes are not a whole saved
// game: cut short, a value missing, repeated or out of range (a time longer
// than any game is played), a line the format does not have, an arrangement
// that is not each piece once.
std::optional<SavedGame> ParseSavedGame(std::string_view bytes);
