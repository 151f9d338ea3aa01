// The settings file and the saved game on disk.
#include "storage/session_files_win.h"

#include <windows.h>

#include "storage/list_file_win.h"

namespace {

const char kSettingsFile[] = "kanoze.ini";
const char kSavedGameFile[] = "kanoze.sav";
const char kSection[] = "Kanoze";
const char kColumnsKey[] = "Columns";
const char kRowsKey[] = "Rows";
const char kRuleKey[] = "Rule";
const char kNameKey[] = "Name";
// A saved game is a few hundred bytes; anything far larger is not one.
constexpr DWORD kMaxSavedGameBytes = 64 * 1024;

std::string ReadValue(const std::string& path, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(kSection, key, "", value, sizeof value, path.c_str());
    return value;
}

bool WriteValue(const std::string& path, const char* key, const std::string& value) {
    return WritePrivateProfileStringA(kSection, key, value.c_str(), path.c_str()) != FALSE;
}

}  // namespace

SessionFiles LocateSessionFiles() {
    const std::string directory = GetProgramDirectory();
    return {directory + kSettingsFile, directory + kSavedGameFile};
}

Settings ReadSettings(const SessionFiles& files) {
    return ParseSettings({ReadValue(files.settingsPath, kColumnsKey), ReadValue(files.settingsPath, kRowsKey),
                          ReadValue(files.settingsPath, kRuleKey), ReadValue(files.settingsPath, kNameKey)});
}

bool WriteSettings(const SessionFiles& files, const Settings& settings) {
    const SettingsText text = FormatSettings(settings);
    // In quotes, which the reader takes off again, so that blanks at either
    // end of a name are kept.
    return WriteValue(files.settingsPath, kColumnsKey, text.columns) &&
           WriteValue(files.settingsPath, kRowsKey, text.rows) && WriteValue(files.settingsPath, kRuleKey, text.rule) &&
           WriteValue(files.settingsPath, kNameKey, "\"" + text.playerName + "\"");
}

std::optional<SavedGame> TakeSavedGame(const SessionFiles& files) {
    WIN32_FILE_ATTRIBUTE_DATA found = {};
    if (!GetFileAttributesExA(files.savedGamePath.c_str(), GetFileExInfoStandard, &found)) return std::nullopt;
    std::optional<SavedGame> game;
    std::string bytes;
    if (found.nFileSizeHigh == 0 && found.nFileSizeLow <= kMaxSavedGameBytes &&
        ReadWholeFile(files.savedGamePath, bytes) == ListFileRead::Read) {
        game = ParseSavedGame(bytes);
    }
    DeleteSavedGame(files);
    return game;
}

bool WriteSavedGame(const SessionFiles& files, const SavedGame& game) {
    return WriteWholeFile(files.savedGamePath, FormatSavedGame(game));
}

void DeleteSavedGame(const SessionFiles& files) { DeleteFileA(files.savedGamePath.c_str()); }
