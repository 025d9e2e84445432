// A folder's entry names for comparisons in tests.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "platform/folder.h"

// The folder's entries, sorted so results do not hang on listing order, without "." and "..".
inline std::vector<std::string> NamesIn(const std::string& folderPath) {
    std::vector<folder::Entry> entries;
    folder::List(folderPath, entries);
    std::vector<std::string> names;
    for (const folder::Entry& e : entries) {
        if (e.name != "." && e.name != "..") names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}
