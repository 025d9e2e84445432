// The journals of batch renames, the window's and quillet-cli's alike: one file for
// each run that renamed something, in the user's state folder, named after the folder
// renamed in and numbered; the last 20 of each folder are kept.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/state_files.h"
#include "rename/rename_journal.h"

// Writes one run's journal, from its first rename on.
class JournalWriter {
  public:
    explicit JournalWriter(const std::string& folderPath) : m_folder(folderPath) {}
    // On the disk before it returns; raises CFileException, named with the journal's
    // path (or the entry's, where it cannot be identified), where it cannot be, so the
    // rename is not made.
    void Record(const std::string& folderPrefix, const std::string& oldName,
                const std::string& newName);
    void RecordAll(const std::vector<rename_journal::Record>& records);
    // Records the renames with one flush, up to the first entry that cannot be
    // identified (it cannot be undone, so it is not to be renamed); returns how many.
    size_t RecordAll(const std::string& folderPrefix,
                     const std::vector<std::pair<std::string, std::string>>& renames);

  private:
    void Start();
    void Append(const std::string& lines);

    std::string m_folder;
    std::string m_path;
    state_files::DurableLog m_log;
};

// The journal of the last run in the folder (by its resolved path): false when there
// is none. The newest by number.
bool LastJournal(const std::string& folderPath, std::string& journalPath, std::string& text);
