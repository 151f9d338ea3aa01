// Which play-list a file belongs to, told by its name against the patterns
// of a file dialog's filter ("*.bmp;*.jpg").
#pragma once

#include <string_view>

// True when `name` ends in the extension of one of the "*.ext" patterns
// (separated by ';'), ASCII letters compared without case. Other patterns
// match nothing.
bool MatchesPatterns(std::string_view name, std::string_view patterns);
