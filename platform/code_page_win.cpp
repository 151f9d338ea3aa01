// Conversions between the system's code page and UTF-16.
#include "platform/code_page_win.h"

namespace {

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

bool IsAnsiLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }
