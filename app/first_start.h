// The play-lists of a first start, taken from the demo folder beside the program.
#pragma once

#include <string>
#include <vector>

#include "storage/list_saving.h"

struct DemoLists {
    std::vector<std::string> pictures;  // bmp, jpg, jpeg and gif files
    std::vector<std::string> sounds;    // mp3, mid and wav files
};

// What a start begins with when kanoze.txt is missing entirely (not merely
// unreadable) and the demo folder `folder` (ending in its backslash) holds
// pictures among the file `names`: its pictures, and its tunes when sound.txt
// is missing too, each list in name order. Otherwise both lists are empty and
// the lists read from the files stand.
DemoLists FirstStartLists(ListFilesFound found, const std::string& folder, const std::vector<std::string>& names);
