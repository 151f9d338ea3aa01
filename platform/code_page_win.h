// Texts between the system's code page, in which the list files keep paths
// and names, and the UTF-16 Windows shows them in.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Texts of the list files (paths, names), which are in the system's code
// page, as Windows shows them; bytes that spell no character show as such.
std::wstring WideFromAnsi(std::string_view text);
// The program's own texts, made in UTF-8.
std::wstring WideFromUtf8(std::string_view text);
// A name typed by the player, in the list files' code page: a character the
// code page lacks becomes its nearest stand-in or '?', as before.
std::string AnsiText(const std::wstring& text);
// A path as the list files hold it. A path the code page cannot spell is
// given in its short form, when the file system keeps one; else it is empty.
std::string AnsiPath(const std::wstring& path);

// The rule of the system's own code page, in which the program's path and
// the list files' paths come: whether a byte opens a double-byte character.
bool IsAnsiLeadByte(unsigned char c);
