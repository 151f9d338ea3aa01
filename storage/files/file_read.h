// What became of reading a whole file.
#pragma once

enum class FileRead {
    Read,        // the file was read
    Missing,     // no such file: a new one
    Unreadable,  // the file exists but could not be read: leave it alone
};
