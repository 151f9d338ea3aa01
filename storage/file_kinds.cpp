// File names against a file dialog's patterns.
#include "storage/file_kinds.h"

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWithFolded(std::string_view name, std::string_view tail) {
    if (tail.size() > name.size()) return false;
    const std::string_view end = name.substr(name.size() - tail.size());
    for (size_t i = 0; i < tail.size(); ++i) {
        if (LowerAscii(end[i]) != LowerAscii(tail[i])) return false;
    }
    return true;
}

}  // namespace

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
        if (name.size() > extension.size() && EndsWithFolded(name, extension)) return true;
    }
    return false;
}
