// Paths and file names.
#include "platform/paths.h"

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsRooted(std::string_view entry) {
    if (!entry.empty() && (entry[0] == '\\' || entry[0] == '/')) return true;  // \folder, \\server, \\.\device
    return entry.size() >= 2 && IsAsciiLetter(entry[0]) && entry[1] == ':';    // C:\folder, C:file
}

}  // namespace

bool HasExtension(std::string_view path, std::string_view extension) {
    if (extension.size() > path.size()) return false;
    const std::string_view end = path.substr(path.size() - extension.size());
    for (size_t i = 0; i < extension.size(); ++i) {
        if (LowerAscii(end[i]) != LowerAscii(extension[i])) return false;
    }
    return true;
}

bool MatchesPatterns(std::string_view name, std::string_view patterns) {
    while (!patterns.empty()) {
        const size_t end = patterns.find(';');
        const std::string_view pattern = patterns.substr(0, end);
        patterns = end == std::string_view::npos ? std::string_view() : patterns.substr(end + 1);
        // "*.ext": the name is more than its extension, which has no wildcard.
        if (pattern.size() < 3 || pattern.substr(0, 2) != "*." ||
            pattern.find_first_of("*?", 1) != std::string_view::npos) {
            continue;
        }
        const std::string_view extension = pattern.substr(1);  // ".ext"
        if (name.size() > extension.size() && HasExtension(name, extension)) return true;
    }
    return false;
}

std::string ResolveListEntry(std::string_view folder, std::string_view entry) {
    if (entry.empty() || IsRooted(entry)) return std::string(entry);
    std::string path(folder);
    path.append(entry);
    return path;
}

std::string ListEntryFor(std::string_view folder, std::string_view path, LeadByteRule isLeadByte) {
    if (folder.empty() || path.size() <= folder.size()) return std::string(path);
    for (size_t i = 0; i < folder.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(folder[i]);
        if (isLeadByte(c) && i + 1 < folder.size()) {
            if (folder.substr(i, 2) != path.substr(i, 2)) return std::string(path);
            ++i;
        } else if (LowerAscii(folder[i]) != LowerAscii(path[i])) {
            return std::string(path);
        }
    }
    const std::string_view rest = path.substr(folder.size());
    // What is left must read as relative again.
    return IsRooted(rest) ? std::string(path) : std::string(rest);
}

std::string TemporaryPath(std::string_view path) {
    std::string temporary(path);
    if (!temporary.empty()) temporary.back() = temporary.back() == '~' ? '_' : '~';
    return temporary;
}

std::string ProgramDirectory(std::string_view programPath, LeadByteRule isLeadByte) {
    size_t end = 0;
    for (size_t i = 0; i < programPath.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(programPath[i]);
        if (isLeadByte(c) && i + 1 < programPath.size()) {
            ++i;  // the trail byte may be 0x5C; it belongs to the character
        } else if (c == '\\') {
            end = i + 1;
        }
    }
    return std::string(programPath.substr(0, end));
}
