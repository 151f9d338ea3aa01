// Paths and file names: where the files the lists name and the files the
// program writes lie, and what a name says about its file.
#pragma once

#include <string>
#include <string_view>

// The longest path, its NUL included, that the file dialog hands out; the
// decoders and the filter graph take paths of the same length.
constexpr int kPathSize = 1024;

// An ASCII letter in lower case; every other byte (a lead or trail byte of
// a double-byte character too) as it is.
constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// True when `path` ends in `extension`, ASCII letters compared without case
// ("PHOTO.BMP", "photobmp" and "x.Bmp" all end in "bmp").
bool HasExtension(std::string_view path, std::string_view extension);

// True when `name` ends in the extension of one of the "*.ext" patterns of a
// file dialog's filter (separated by ';'), ASCII letters compared without
// case. Other patterns match nothing.
bool MatchesPatterns(std::string_view name, std::string_view patterns);

// The file a list entry names: an entry with a drive or a leading backslash
// stands as it is; any other is relative to `folder` (the program's, ending
// in a backslash), wherever the program was started from.
std::string ResolveListEntry(std::string_view folder, std::string_view entry);

// Whether a byte opens a double-byte character in the code page of a path.
using LeadByteRule = bool (*)(unsigned char);

// What a list entry says for the file at `path`: relative to `folder` (the
// program's, ending in a backslash) when the file lies inside it, so that the
// folder can be moved or renamed; the path as it is otherwise. ASCII letters
// compare without case, the bytes of a double-byte character (by
// `isLeadByte`) exactly. ResolveListEntry gives `path` back.
std::string ListEntryFor(std::string_view folder, std::string_view path, LeadByteRule isLeadByte);

// The temporary file a save of `path` writes first: beside it, and no longer
// than `path` itself, so that any folder that holds the file holds its
// temporary too. The last character becomes '~' ("kanoze.tx~").
std::string TemporaryPath(std::string_view path);

// The directory of a program path, up to and including its last backslash;
// empty when the path holds no backslash. A 0x5C trail byte of a double-byte
// character (by `isLeadByte`, the rule of the code page the path is in) is
// not a separator.
std::string ProgramDirectory(std::string_view programPath, LeadByteRule isLeadByte);
