// history.txt on disk: appended to, never rewritten.
#include "storage/history_file_win.h"

#include "platform/code_page_win.h"
#include "platform/paths.h"
#include "storage/files/files_win.h"

namespace {

const char kHistoryFile[] = "history.txt";
// Some ten thousand games: enough for every sum the dialog shows, and read
// at once however large the file has grown.
constexpr size_t kMaxHistoryBytes = 1024 * 1024;

}  // namespace

std::string HistoryFilePath() { return GetProgramDirectory() + kHistoryFile; }

std::string HistoryPictureName(const std::string& folder, const std::string& path) {
    const std::string entry = ListEntryForFile(folder, path);
    if (entry != path) return entry;
    return path.substr(ProgramDirectory(path, IsAnsiLeadByte).size());
}

bool AppendToHistory(const std::string& path, const FinishedGame& game) {
    return AppendLine(path, FormatHistoryLine(game));
}

std::vector<FinishedGame> ReadHistory(const std::string& path) {
    const FileTail tail = ReadFileTail(path, kMaxHistoryBytes);
    if (tail.read != FileRead::Read) return {};
    return ParseHistory(tail.bytes, tail.whole ? HistoryBytes::WholeFile : HistoryBytes::Tail);
}
