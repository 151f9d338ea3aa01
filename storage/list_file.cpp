// The list-file format.
#include "storage/list_file.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/decimal.h"

bool ReadLine(std::string_view bytes, size_t& readIndex, std::string& line) {
    line.clear();
    if (readIndex >= bytes.size()) return false;
    // A last line left without its line break by a text editor still counts;
    // a stray CR after the last line break is no line.
    if (bytes.find_first_not_of('\r', readIndex) == std::string_view::npos) {
        readIndex = bytes.size();
        return false;
    }
    // Whole runs between CR bytes are copied at once: a list of many
    // thousand entries is read a line at a time, not a byte at a time.
    const size_t end = bytes.find('\n', readIndex);
    const std::string_view text =
        bytes.substr(readIndex, (end == std::string_view::npos ? bytes.size() : end) - readIndex);
    for (size_t start = 0;;) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            line.append(text.substr(start));
            break;
        }
        line.append(text.substr(start, cr - start));
        start = cr + 1;
    }
    readIndex = end == std::string_view::npos ? bytes.size() : end + 1;
    return true;
}

namespace {

// The marker tests compare like strncmp with the literal first: a count one
// past the literal's length tests the whole line, a count equal to it a prefix.
bool Matches(const char* literal, const std::string& line, size_t count) {
    return std::strncmp(literal, line.c_str(), count) == 0;
}

bool IsWholeLine(const char* literal, const std::string& line) {
    return Matches(literal, line, std::strlen(literal) + 1);
}

bool HasPrefix(const char* literal, const std::string& line) {
    return Matches(literal, line, std::strlen(literal));
}

// The text of a line as a C string sees it: up to its first NUL byte.
std::string TextOf(const char* text) {
    return std::string(text);
}

// `read` counts the entries whose SCORE line came: the easy table's first,
// then the difficult one's.
void ReadScoreLine(const std::string& line, HighScoreTable& table, int& read) {
    if (read >= 2 * kSizeCount) return;  // both tables full
    BestTime& entry = read < kSizeCount ? table.easy[read] : table.difficult[read - kSizeCount];
    if (HasPrefix("NAME=", line)) {
        entry.name = TextOf(line.c_str() + 5);
    } else if (HasPrefix("SCORE=", line)) {
        entry.seconds = static_cast<uint32_t>(ParseDecimal(std::string_view(line).substr(6)));
        ++read;
    }
}

void AppendLine(std::string& out, std::string_view text) {
    out.append(text);
    out.append("\r\n");
}

void AppendFileSection(std::string& out, const std::vector<std::string>& entries) {
    AppendLine(out, "#FILE");
    for (const std::string& entry : entries) AppendLine(out, std::string_view(entry.c_str()));
    AppendLine(out, "#FILE_END");
}

void AppendScores(std::string& out, const BestTime* entries) {
    for (int i = 0; i < kSizeCount; ++i) {
        out.append("NAME=");
        AppendLine(out, TextOf(entries[i].name.c_str()));
        char number[16];
        std::snprintf(number, sizeof number, "%d", static_cast<int>(static_cast<int32_t>(entries[i].seconds)));
        out.append("SCORE=");
        AppendLine(out, number);
    }
}

// The bytes the reader splits into lines: a UTF-8 byte-order mark goes, and a
// file of CR-ended lines (no LF anywhere) has its CR bytes taken as LF.
std::string_view LineBytes(std::string_view bytes, std::string& converted) {
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
    if (bytes.find('\n') != std::string_view::npos || bytes.find('\r') == std::string_view::npos) return bytes;
    converted.assign(bytes);
    for (char& c : converted) {
        if (c == '\r') c = '\n';
    }
    return converted;
}

// Room for the file section, so that a long list is not copied as it grows.
size_t ReservedSize(const std::vector<std::string>& entries) {
    size_t size = 32;
    for (const std::string& entry : entries) size += entry.size() + 2;
    return size;
}

}  // namespace

ListFileContent ParseListFile(std::string_view fileBytes, const HighScoreTable& startingTable) {
    ListFileContent content;
    content.table = startingTable;
    std::string converted;
    const std::string_view bytes = LineBytes(fileBytes, converted);
    bool inFileSection = false;
    bool inScoreSection = false;
    int scoresRead = 0;
    size_t readIndex = 0;
    std::string line;
    while (ReadLine(bytes, readIndex, line)) {
        if (IsWholeLine("#FILE_END", line)) {
            inFileSection = false;
        } else if (inFileSection) {
            content.entries.push_back(TextOf(line.c_str()));
        } else if (HasPrefix("#FILE", line)) {
            inFileSection = true;
        } else if (IsWholeLine("#SCORE_END", line)) {
            inScoreSection = false;
        } else if (inScoreSection) {
            ReadScoreLine(line, content.table, scoresRead);
        } else if (IsWholeLine("#SCORE", line)) {
            inScoreSection = true;
        }
    }
    return content;
}

bool HoldsListFile(std::string_view fileBytes) {
    if (fileBytes.empty()) return true;
    std::string converted;
    const std::string_view bytes = LineBytes(fileBytes, converted);
    size_t readIndex = 0;
    std::string line;
    while (ReadLine(bytes, readIndex, line)) {
        if (HasPrefix("#FILE", line) || IsWholeLine("#SCORE", line)) return true;
    }
    return false;
}

std::string FormatImageListFile(const std::vector<std::string>& entries, const HighScoreTable& table) {
    std::string out;
    out.reserve(ReservedSize(entries) + 2 * kSizeCount * 32);
    AppendFileSection(out, entries);
    AppendLine(out, "#SCORE");
    AppendScores(out, table.easy);
    AppendScores(out, table.difficult);
    AppendLine(out, "#SCORE_END");
    return out;
}

std::string FormatSoundListFile(const std::vector<std::string>& entries) {
    std::string out;
    out.reserve(ReservedSize(entries));
    AppendFileSection(out, entries);
    return out;
}
