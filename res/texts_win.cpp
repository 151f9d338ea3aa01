// The program's texts in the player's language: each set of resources is
// looked up in the language chosen at start-up, so that a Japanese Windows
// shows the Japanese set and every other Windows the English one.
#include "res/texts_win.h"

namespace {

constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

// The resources are the program's own, in the module that started the process.
HMODULE Module() { return GetModuleHandleW(nullptr); }

// The resource in the chosen language; a resource that set lacks comes
// from the other set rather than not at all.
const void* FindText(LPCWSTR type, LPCWSTR name) {
    const LANGID chosen = TextLanguage();
    for (const LANGID language : {chosen, chosen == kJapanese ? kEnglish : kJapanese}) {
        if (HRSRC found = FindResourceExW(Module(), type, name, language)) {
            if (HGLOBAL loaded = LoadResource(Module(), found)) return LockResource(loaded);
        }
    }
    HRSRC found = FindResourceW(Module(), name, type);
    HGLOBAL loaded = found ? LoadResource(Module(), found) : nullptr;
    return loaded ? LockResource(loaded) : nullptr;
}

// String `id` of a string table block: sixteen counted UTF-16 texts.
std::wstring StringOfBlock(const void* block, UINT id) {
    const WCHAR* text = static_cast<const WCHAR*>(block);
    if (!text) return {};
    for (UINT i = 0; i < id % 16; ++i) text += 1 + *text;
    return std::wstring(text + 1, *text);
}

}  // namespace

LANGID TextLanguage() {
    static const LANGID language =
        PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? kJapanese : kEnglish;
    return language;
}

std::wstring LoadText(UINT id) {
    return StringOfBlock(FindText(reinterpret_cast<LPCWSTR>(RT_STRING), MAKEINTRESOURCEW(id / 16 + 1)), id);
}

std::wstring FileFilter(UINT nameId, const wchar_t* patterns) {
    std::wstring filter = LoadText(nameId);
    filter += L'\0';
    filter += patterns;
    filter += L'\0';  // c_str() adds the second NUL that ends the list
    return filter;
}

HMENU LoadTextMenu(UINT id) {
    const void* menu = FindText(reinterpret_cast<LPCWSTR>(RT_MENU), MAKEINTRESOURCEW(id));
    return menu ? LoadMenuIndirectW(menu) : nullptr;
}

const DLGTEMPLATE* LoadTextDialog(UINT id) {
    return static_cast<const DLGTEMPLATE*>(FindText(reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(id)));
}

HMODULE ProgramModule() { return Module(); }
