// Folder services with the Windows semantics on every system.
#pragma once

#include <string>
#include <vector>

namespace folder {

struct Entry {
    std::string name;
    bool isDirectory = false;
    bool isHidden = false;  // on POSIX: the name starts with "." (but is not "." or "..")
};

// Every entry of the folder, "." and ".." included where the system reports them,
// in the system's order. False (and nothing listed) when the listing cannot start.
bool List(const std::string& folderPath, std::vector<Entry>& entries);

// Creates one folder; fails when it exists already. osError gets the Windows code.
bool Create(const std::string& folderPath, long* osError = nullptr);

// True when both paths name the same existing file (by identity, not by spelling).
bool SameFile(const std::string& a, const std::string& b);

}  // namespace folder
