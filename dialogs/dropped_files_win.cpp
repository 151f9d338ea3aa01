// Dropped files and the files of a folder, as play-list entries.
#include "dialogs/dropped_files_win.h"

#include <shlwapi.h>

#include <algorithm>

#include "platform/code_page_win.h"
#include "platform/handles_win.h"
#include "platform/paths.h"
#include "platform/system_library_win.h"

// shell32 and shlwapi are loaded when a drop or a folder first needs them, not
// by every start: the program does not import them.

namespace {

// As Explorer sorts names: "photo 2" before "photo 10", letters without case.
// Without shlwapi, letters without case alone.
bool ExplorerOrder(const std::wstring& a, const std::wstring& b) {
    static const auto compareLogical = SystemFunction<decltype(&StrCmpLogicalW)>(L"shlwapi.dll", "StrCmpLogicalW");
    return (compareLogical ? compareLogical(a.c_str(), b.c_str()) : lstrcmpiW(a.c_str(), b.c_str())) < 0;
}

}  // namespace

// The style DragAcceptFiles sets, without loading shell32 for it.
void AcceptDroppedFiles(HWND window) {
    SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

std::vector<std::wstring> TakeDroppedPaths(HDROP drop) {
    static const auto dragQueryFile = SystemFunction<decltype(&DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    static const auto dragFinish = SystemFunction<decltype(&DragFinish)>(L"shell32.dll", "DragFinish");
    // Without shell32 nothing of the drop can be read, nor its memory given back.
    if (!dragQueryFile || !dragFinish) return {};
    std::vector<std::wstring> paths;
    const UINT count = dragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = dragQueryFile(drop, i, nullptr, 0);
        std::wstring path(static_cast<size_t>(length) + 1, L'\0');
        path.resize(dragQueryFile(drop, i, path.data(), length + 1));
        if (!path.empty()) paths.push_back(path);
    }
    dragFinish(drop);
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
    const FileSearch search(FindFirstFileW((prefix + L"*").c_str(), &found));
    if (!search.Valid()) return {};
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end(), ExplorerOrder);
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
