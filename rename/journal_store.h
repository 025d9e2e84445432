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
    // path, where it cannot be, so the rename is not made.
    void Record(const std::string& folderPrefix, const std::string& oldName,
                const std::string& newName);
    void RecordAll(const std::vector<rename_journal::Record>& records);
    // Records all the renames with one flush.
    void RecordAll(const std::string& folderPrefix,
                   const std::vector<std::pair<std::string, std::string>>& renames);

  private:
    void Start();
    void Append(const std::string& lines);

    std::string m_folder;
    std::string m_path;
    state_files::DurableLog m_log;
};

// The journal of the last run in the folder: false when there is none.
bool LastJournal(const std::string& folderPath, std::string& journalPath, std::string& text);
