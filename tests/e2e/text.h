// Texts as the tests meet them: code page 932 bytes of the game's files and
// the lines of a probe reply.
#pragma once

#include <string>
#include <vector>

// The lines of a text, without their LF.
std::vector<std::string> SplitLines(const std::string& text);

// The wide form of a UTF-8 text.
std::wstring Wide(const std::string& utf8);

// Code page 932 bytes of a text, as the game stores paths and names.
std::string Cp932(const std::wstring& text);
std::string Cp932(const std::string& utf8);

// The code page 932 form of a path, as kanoze.txt holds it.
inline std::string AnsiPath(const std::wstring& path) { return Cp932(path); }
