// The settings file and the saved game on disk.
#include "storage/session_files_win.h"

#include <windows.h>

#include "storage/files/files_win.h"

namespace {

const char kSettingsFile[] = "kanoze.ini";
const char kSavedGameFile[] = "kanoze.sav";
// A saved game is a few hundred bytes; anything far larger is not one.
constexpr DWORD kMaxSavedGameBytes = 64 * 1024;

}  // namespace

SessionFiles LocateSessionFiles() {
    const std::string directory = GetProgramDirectory();
    return {directory + kSettingsFile, directory + kSavedGameFile};
}

Settings ReadSettings(const SessionFiles& files) {
    // Bytes are kept only from a file that was read, so a missing or unreadable one gives the defaults.
    return ParseSettings(ReadSettingsFile(ReadWholeFile(files.settingsPath).bytes));
}

bool WriteSettings(const SessionFiles& files, const Settings& settings) {
    const WholeFile current = ReadWholeFile(files.settingsPath);
    if (current.read == FileRead::Unreadable) return false;
    return WriteWholeFile(files.settingsPath, UpdateSettingsFile(current.bytes, FormatSettings(settings)));
}

std::optional<SavedGame> ReadSavedGame(const SessionFiles& files) {
    WIN32_FILE_ATTRIBUTE_DATA found = {};
    if (!GetFileAttributesExA(files.savedGamePath.c_str(), GetFileExInfoStandard, &found)) return std::nullopt;
    WholeFile saved;  // a file far too large is left unread: damaged
    if (found.nFileSizeHigh == 0 && found.nFileSizeLow <= kMaxSavedGameBytes) {
        saved = ReadWholeFile(files.savedGamePath);
        // Held by another program: it may be read at the next start.
        if (saved.read != FileRead::Read) return std::nullopt;
    }
    std::optional<SavedGame> game = ParseSavedGame(saved.bytes);
    if (!game) DeleteSavedGame(files);
    return game;
}

bool WriteSavedGame(const SessionFiles& files, const SavedGame& game) {
    return WriteWholeFile(files.savedGamePath, FormatSavedGame(game));
}

void DeleteSavedGame(const SessionFiles& files) {
    // Not deleted while another program holds it or it is read-only: the next
    // start then resumes its game. Nothing here can do more about that.
    DeleteFileA(files.savedGamePath.c_str());
}
