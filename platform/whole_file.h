// A file that appears whole or not at all: written under a free temporary name in its
// own folder, flushed to the disk, then moved to its name.
#pragma once

#include <string>

#include "platform/file.h"

class WholeFile {
  public:
    // Creates the temporary; a failure raises CFileException naming the final path.
    explicit WholeFile(std::string finalPath);
    // Removes the temporary unless Commit() has put it in place.
    ~WholeFile();
    WholeFile(const WholeFile&) = delete;
    WholeFile& operator=(const WholeFile&) = delete;

    CFile& File() { return m_file; }
    // Closes, flushes and moves the temporary to the final name, replacing the file
    // there; failures raise CFileException and leave the final name as it was.
    void Commit();

  private:
    std::string m_strFinalPath;
    std::string m_strTemporary;
    CFile m_file;
    bool m_bCommitted = false;
};

// The system calls under WholeFile, in a file per system.
namespace whole_file {
// Flushes the named file's data to the disk; failures raise CFileException.
void Sync(const std::string& path);
// Moves from onto to, replacing the entry to (never writing through it) in one step
// where the system can, and flushes the folder where the system needs that; raises.
void Replace(const std::string& from, const std::string& to);
// Deletes a file; false when it cannot.
bool Remove(const std::string& path);
}  // namespace whole_file
