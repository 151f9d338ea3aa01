// The program's texts from its string table.
#include "res/texts.h"

std::string LoadText(UINT id) {
    // With no buffer, LoadStringW hands out the resource's own text and its
    // length. The string table is the program's own, so the module is the
    // one that started the process.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) return {};
    // Code page 932 whatever the system's own code page is, as the texts
    // always were.
    const int size = WideCharToMultiByte(932, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

std::wstring LoadWideText(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetModuleHandleA(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::string FileFilter(UINT nameId, const char* patterns) {
    std::string filter = LoadText(nameId);
    filter += '\0';
    filter += patterns;
    filter += '\0';  // c_str() adds the second NUL that ends the list
    return filter;
}
