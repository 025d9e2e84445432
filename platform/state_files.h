// Files the program keeps for itself in the user's state folder, written so that what
// an append reported as done survives a kill or a power cut.
#pragma once

#include <cstdint>
#include <string>

namespace state_files {

// The folder for the program's state, not created yet: $XDG_STATE_HOME/quillet, else
// ~/.local/state/quillet; %LOCALAPPDATA%\Quillet on Windows. Empty when the
// environment names none.
std::string Folder();

// Creates the folder and every missing folder above it; true when it exists after.
bool CreateFolders(const std::string& folderPath);

bool RemoveFile(const std::string& filePath);

// Modification time of an entry, in a unit that only orders; false when unreadable.
bool ModifiedTime(const std::string& entryPath, int64_t& time);

// A file that only grows: every Append is on the disk when it returns true.
class DurableLog {
  public:
    DurableLog() = default;
    ~DurableLog();
    DurableLog(const DurableLog&) = delete;
    DurableLog& operator=(const DurableLog&) = delete;

    // Creates a new file; fails where one of that name exists. osError: Windows' code.
    bool Create(const std::string& filePath, long& osError);
    bool Append(const std::string& text, long& osError);
    bool IsOpen() const { return m_handle != -1; }

  private:
    intptr_t m_handle = -1;
};

}  // namespace state_files
