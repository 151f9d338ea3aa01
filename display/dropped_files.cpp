// Dropped files and the files of a folder, as play-list entries.
#include "display/dropped_files.h"

#include <shlwapi.h>

#include <algorithm>

#include "res/texts.h"
#include "storage/paths.h"

std::vector<std::wstring> TakeDroppedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(static_cast<size_t>(length) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), length + 1));
        if (!path.empty()) paths.push_back(path);
    }
    DragFinish(drop);
    return paths;
}

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FolderEntries(const std::wstring& folder, std::string_view patterns) {
    std::wstring prefix = folder;
    if (!prefix.empty() && prefix.back() != L'\\' && prefix.back() != L'/') prefix += L'\\';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return {};
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    // As Explorer sorts them: "photo 2" before "photo 10", letters without case.
    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return StrCmpLogicalW(a.c_str(), b.c_str()) < 0; });
    std::vector<std::string> entries;
    for (const std::wstring& name : names) {
        const std::string entry = AnsiPath(prefix + name);
        if (!entry.empty() && MatchesPatterns(entry, patterns)) entries.push_back(entry);
    }
    return entries;
}

std::vector<std::string> EntriesOfKind(const std::vector<std::wstring>& paths, std::string_view patterns) {
    std::vector<std::string> entries;
    for (const std::wstring& path : paths) {
        if (IsFolder(path)) {
            const std::vector<std::string> inFolder = FolderEntries(path, patterns);
            entries.insert(entries.end(), inFolder.begin(), inFolder.end());
            continue;
        }
        const std::string entry = AnsiPath(path);
        if (!entry.empty() && MatchesPatterns(entry, patterns)) entries.push_back(entry);
    }
    return entries;
}
