// Feeds arbitrary bytes to the list-file reader and checks that what it keeps survives a save.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/list_file.h"
#include "storage/paths.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

// Whatever the reader keeps is one line's text up to a NUL, so it can be
// written back without changing the lines around it.
bool IsOneLineOfText(const std::string& text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
}

bool SameTables(const HighScoreTable& a, const HighScoreTable& b) {
    for (int i = 0; i < kSizeCount; ++i) {
        if (a.easy[i].name != b.easy[i].name || a.easy[i].seconds != b.easy[i].seconds ||
            a.difficult[i].name != b.difficult[i].name ||
            a.difficult[i].seconds != b.difficult[i].seconds) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    std::vector<std::string> entries;
    auto table = std::make_unique<HighScoreTable>();
    ResetHighScores(*table);
    ParseListFile(bytes, entries, *table);

    for (const std::string& entry : entries) {
        Require(IsOneLineOfText(entry));
        // Only this exact line closes the file section, so no entry can be it.
        Require(entry != "#FILE_END");
    }
    for (int i = 0; i < kSizeCount; ++i) {
        Require(IsOneLineOfText(table->easy[i].name));
        Require(IsOneLineOfText(table->difficult[i].name));
    }

    // Saving what was read and reading it again gives back the same lists and
    // tables, and saving that gives the same bytes.
    const std::string saved = FormatImageListFile(entries, *table);
    std::vector<std::string> reloaded;
    auto reloadedTable = std::make_unique<HighScoreTable>();
    ResetHighScores(*reloadedTable);
    ParseListFile(saved, reloaded, *reloadedTable);
    Require(reloaded == entries);
    Require(SameTables(*reloadedTable, *table));
    Require(FormatImageListFile(reloaded, *reloadedTable) == saved);

    // sound.txt carries the list alone and leaves the tables as they were.
    std::vector<std::string> sounds;
    auto untouched = std::make_unique<HighScoreTable>();
    ResetHighScores(*untouched);
    ParseListFile(FormatSoundListFile(entries), sounds, *untouched);
    Require(sounds == entries);
    auto defaults = std::make_unique<HighScoreTable>();
    ResetHighScores(*defaults);
    Require(SameTables(*untouched, *defaults));

    // The directory of the same bytes taken as a program path: a prefix that
    // ends with a backslash, or nothing when there is none.
    const std::string directory = ProgramDirectory(bytes, IsCp932LeadByte);
    if (!directory.empty()) {
        Require(!directory.empty() && directory.back() == '\\');
        Require(bytes.substr(0, directory.size()) == directory);
    } else {
        // Only the trail byte of a double-byte character hides a backslash,
        // and the first byte cannot be one.
        Require(bytes.empty() || bytes[0] != '\\');
    }
    return 0;
}
