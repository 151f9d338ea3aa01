// Where the files the lists name and the files the program writes lie.
#pragma once

#include <string>
#include <string_view>

// The file a list entry names: an entry with a drive or a leading backslash
// stands as it is; any other is relative to `folder` (the program's, ending
// in a backslash), wherever the program was started from.
std::string ResolveListEntry(std::string_view folder, std::string_view entry);

// The temporary file a save of `path` writes first: beside it, and no longer
// than `path` itself, so that any folder that holds the file holds its
// temporary too. The last character becomes '~' ("kanoze.tx~").
std::string TemporaryPath(std::string_view path);
