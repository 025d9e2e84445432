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

// What tells one existing entry from every other, taken from the entry itself (a
// link, not what it points to): its volume and number there, and what a rename leaves
// as it is, so that a number the system gave again to a new entry, or a number a FAT
// volume changed, is not taken for the same entry. Times are in the system's own
// units; created is 0 where the system keeps no birth time.
struct FileIdentity {
    uint64_t volume = 0;
    uint64_t index = 0;
    bool isDirectory = false;
    uint64_t size = 0;
    uint64_t modified = 0;
    uint64_t created = 0;
    // A folder's size and time change with what it holds, so they do not count for it.
    bool operator==(const FileIdentity& o) const {
        return volume == o.volume && index == o.index && isDirectory == o.isDirectory &&
               created == o.created && (isDirectory || (size == o.size && modified == o.modified));
    }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
};

// False when the path names no entry that can be looked at. A link is identified
// itself, whether it leads anywhere or not.
bool Identify(const std::string& path, FileIdentity& identity);

// The identity of what the path leads to, through every link.
bool IdentifyTarget(const std::string& path, FileIdentity& identity);

// The folder's path with every link resolved where the system can (POSIX); on Windows
// its full path. The path as given where it cannot be resolved.
std::string Resolve(const std::string& folderPath);

// Whether the system refuses name as too long for one entry: 255 bytes on POSIX, 255
// UTF-16 units on Windows.
bool NameTooLong(const std::string& name);

// The name an entry given this name is stored under: Windows drops trailing dots and
// spaces; POSIX keeps every name as given.
std::string StoredName(const std::string& name);

// Equal for two names exactly when the folder takes them for the same entry: the stored
// name, with case folded on Windows.
std::string NameKey(const std::string& name);

}  // namespace folder
