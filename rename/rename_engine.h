// The batch rename of one folder's files or sub-folders, and "open the result".
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/engine_notifications.h"
#include "platform/folder.h"
#include "platform/outcome.h"
#include "rename/rename_order.h"
#include "rename/rename_settings.h"

struct RenameOutcome : Outcome {
    uint32_t renamed = 0;  // entries that got a new name
};

// Where a walk over the folder sends its renames: the folder itself for a run, a
// list for a preview. One walk for both, so a preview cannot drift from the run.
class RenameSink {
  public:
    virtual ~RenameSink() = default;
    // The whole listing, before the first rename.
    virtual void Listed(const std::vector<folder::Entry>&) {}
    // Names are the entries' own; folderPrefix ends with the separator. Raises
    // CFileException where the rename fails, and returns false where newName is the
    // entry's name already, as CFile::Rename does.
    virtual bool Rename(const std::string& folderPrefix, const std::string& oldName,
                        const std::string& newName) = 0;
};

// What a caller other than the window may add to a run.
struct RenameRunOptions {
    RenameOrder order = RenameOrder::kListing;
    // Told each rename just before it is made (folderPrefix ends with the separator);
    // what it raises ends the run before that rename.
    std::function<void(const std::string& folderPrefix, const std::string& oldName,
                       const std::string& newName)>
        beforeRename;
};

// The run's checks and its walk over the listing, with every rename given to sink;
// shows no success message. success says whether a run would show it.
RenameOutcome WalkBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                              EngineNotifications& notify, RenameSink& sink, bool& success,
                              RenameOrder order = RenameOrder::kListing);

// Lists the folder completely, then renames entry by entry. Reports through
// notify.ShowMessage. A failed rename raises CFileException (unnamed) and ends the
// run there; entries renamed before keep their new names.
RenameOutcome RunBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                             EngineNotifications& notify,
                             const RenameRunOptions& options = RenameRunOptions());

// Has the shell open the stored folder; its result is not looked at.
void OpenResultFolder(const RenameSettings& settings, EngineNotifications& notify);
