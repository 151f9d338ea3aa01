// The best-time section of kanoze.txt as the game writes it, for the tests of
// both layers: 98 entries, the easy boards' 49 first, every one "Not regist"
// in 5940 seconds unless the test sets it.
#pragma once

#include <initializer_list>
#include <string>

constexpr char kDefaultName[] = "Not regist";  // the name of an entry without a record
constexpr long kDefaultSeconds = 5940;

struct ScoreEntry {
    int index;         // 0 to 48 easy, 49 to 97 difficult
    std::string name;  // code page 932
    long long seconds;
};

inline std::string ScoreSection(std::initializer_list<ScoreEntry> entries = {}) {
    std::string out = "#SCORE\r\n";
    for (int index = 0; index < 98; ++index) {
        std::string name = kDefaultName;
        long long seconds = kDefaultSeconds;
        for (const ScoreEntry& entry : entries) {
            if (entry.index == index) name = entry.name, seconds = entry.seconds;
        }
        out += "NAME=" + name + "\r\nSCORE=" + std::to_string(seconds) + "\r\n";
    }
    return out + "#SCORE_END\r\n";
}
