// Folder services with the Windows semantics on every system.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace folder {

struct Entry {
    std::string name;
    bool isDirectory = false;
    bool isHidden = false;  // on POSIX: the name starts with "." (but is not "." or "..")
};

// Every entry of the folder, "." and ".." included where the system reports them,
// in the system's order. False (and nothing listed) when the folder cannot be read to
// its end: a listing that broke off is no listing.
bool List(const std::string& folderPath, std::vector<Entry>& entries);

// Creates one folder; fails when it exists already. osError gets the Windows code.
bool Create(const std::string& folderPath, long* osError = nullptr);

// What tells one existing file from every other: its volume and its number there.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FileIdentity& o) const { return volume == o.volume && index == o.index; }
};

// False when the path names no entry that can be looked at.
bool Identify(const std::string& path, FileIdentity& identity);

// The name an entry given this name is stored under: Windows drops trailing dots and
// spaces; POSIX keeps every name as given.
std::string StoredName(const std::string& name);

// Equal for two names exactly when the folder takes them for the same entry: the stored
// name, with case folded on Windows.
std::string NameKey(const std::string& name);

}  // namespace folder
