// Where the files the lists name and the files the program writes lie.
#include "storage/paths.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsRooted(std::string_view entry) {
    if (!entry.empty() && (entry[0] == '\\' || entry[0] == '/')) return true;  // \folder, \\server, \\.\device
    return entry.size() >= 2 && IsAsciiLetter(entry[0]) && entry[1] == ':';  // C:\folder, C:file
}

}  // namespace

std::string ResolveListEntry(std::string_view folder, std::string_view entry) {
    if (entry.empty() || IsRooted(entry)) return std::string(entry);
    std::string path(folder);
    path.append(entry);
    return path;
}

std::string TemporaryPath(std::string_view path) {
    std::string temporary(path);
    if (!temporary.empty()) temporary.back() = temporary.back() == '~' ? '_' : '~';
    return temporary;
}
