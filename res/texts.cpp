// The program's texts in the player's language: each set of resources is
// looked up in the language chosen at start-up, so that a Japanese Windows
// shows the Japanese set and every other Windows the English one.
#include "res/texts.h"

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

std::string Narrow(const std::wstring& text, UINT codePage, DWORD flags, BOOL* lossy) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, lossy);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
    if (size > 0) WideCharToMultiByte(codePage, flags, text.data(), length, bytes.data(), size, nullptr, lossy);
    return bytes;
}

std::wstring Widen(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<size_t>(size > 0 ? size : 0), L'\0');
    if (size > 0) MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), size);
    return wide;
}

// The path in the system's code page when it spells every character of it.
std::string ExactAnsi(const std::wstring& path) {
    // A system whose code page is UTF-8 spells every path; that code page
    // takes neither the flag nor the question below.
    if (GetACP() == CP_UTF8) return Narrow(path, CP_UTF8, 0, nullptr);
    BOOL lossy = FALSE;
    // No best fit: "é" must not quietly become "e", naming another file.
    std::string bytes = Narrow(path, CP_ACP, WC_NO_BEST_FIT_CHARS, &lossy);
    return lossy ? std::string() : bytes;
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

INT_PTR ShowDialog(HWND owner, UINT id, DLGPROC procedure, LPARAM parameter) {
    const void* dialog = FindText(reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(id));
    if (!dialog) return -1;
    return DialogBoxIndirectParamW(Module(), static_cast<LPCDLGTEMPLATEW>(dialog), owner, procedure, parameter);
}

int ShowMessage(HWND owner, UINT textId, UINT titleId, UINT type) {
    return MessageBoxW(owner, LoadText(textId).c_str(), LoadText(titleId).c_str(), type);
}

std::wstring WideFromAnsi(std::string_view text) { return Widen(text, CP_ACP); }

std::wstring WideFromUtf8(std::string_view text) { return Widen(text, CP_UTF8); }

std::string AnsiText(const std::wstring& text) { return Narrow(text, CP_ACP, 0, nullptr); }

std::string AnsiPath(const std::wstring& path) {
    std::string bytes = ExactAnsi(path);
    if (!bytes.empty() || path.empty()) return bytes;
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size) return {};
    shortPath.resize(length);
    return ExactAnsi(shortPath);
}
