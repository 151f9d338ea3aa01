// The play-lists of a first start, taken from the demo folder beside the program.
#include "app/first_start.h"

#include <algorithm>
#include <initializer_list>

#include "platform/paths.h"

namespace {

std::string LowerExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {};
    std::string extension = name.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(), LowerAscii);
    return extension;
}

bool IsOneOf(const std::string& extension, std::initializer_list<const char*> kinds) {
    for (const char* kind : kinds) {
        if (extension == kind) return true;
    }
    return false;
}

// Name order as Explorer shows it for plain names: letters without case.
bool NameBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

}  // namespace

DemoLists FirstStartLists(ListFilesFound found, const std::string& folder, const std::vector<std::string>& names) {
    DemoLists lists;
    if (found.images != ListFileRead::Missing) return lists;
    std::vector<std::string> sorted = names;
    std::sort(sorted.begin(), sorted.end(), NameBefore);
    for (const std::string& name : sorted) {
        const std::string extension = LowerExtension(name);
        if (IsOneOf(extension, {"bmp", "jpg", "jpeg", "gif"})) lists.pictures.push_back(folder + name);
        if (IsOneOf(extension, {"mp3", "mid", "wav"})) lists.sounds.push_back(folder + name);
    }
    if (lists.pictures.empty() || found.sounds != ListFileRead::Missing) lists.sounds.clear();
    return lists;
}
