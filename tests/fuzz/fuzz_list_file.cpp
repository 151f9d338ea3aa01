// Feeds arbitrary bytes to the list-file reader and checks that what it keeps survives a save.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/list_file.h"
#include "platform/paths.h"
#include "tests/common/lead_bytes.h"

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
            a.difficult[i].name != b.difficult[i].name || a.difficult[i].seconds != b.difficult[i].seconds) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    auto defaults = std::make_unique<HighScoreTable>();
    ResetHighScores(*defaults);
    const auto read = std::make_unique<ListFileContent>(ParseListFile(bytes, *defaults));
    const std::vector<std::string>& entries = read->entries;
    const HighScoreTable* table = &read->table;

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
    const auto reloaded = std::make_unique<ListFileContent>(ParseListFile(saved, *defaults));
    Require(reloaded->entries == entries);
    Require(SameTables(reloaded->table, *table));
    Require(FormatImageListFile(reloaded->entries, reloaded->table) == saved);

    // sound.txt carries the list alone and leaves the tables as they were.
    const auto sounds = std::make_unique<ListFileContent>(ParseListFile(FormatSoundListFile(entries), *defaults));
    Require(sounds->entries == entries);
    Require(SameTables(sounds->table, *defaults));

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
