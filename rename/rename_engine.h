// The batch rename of one folder's files or sub-folders, and "open the result".
#pragma once

#include <cstdint>

#include "platform/engine_notifications.h"
#include "platform/outcome.h"
#include "rename/rename_settings.h"

struct RenameOutcome : Outcome {
    uint32_t renamed = 0;  // entries that got a new name
};

// Lists the folder completely, then renames entry by entry. Reports through
// notify.ShowMessage. A failed rename raises CFileException (unnamed) and ends the
// run there; entries renamed before keep their new names.
RenameOutcome RunBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                             EngineNotifications& notify);

// Has the shell open the stored folder; its result is not looked at.
void OpenResultFolder(const RenameSettings& settings, EngineNotifications& notify);
