// A dry run of the batch rename: the run's own walk, with each rename it would make
// handed on instead of made.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/engine_notifications.h"
#include "rename/rename_engine.h"
#include "rename/rename_settings.h"

using RenamePreviewLine =
    std::function<void(const std::string& oldName, const std::string& newName)>;

// Calls onRename for every rename the run would make, in the run's order, and renames
// nothing. Refuses where the run would refuse; raises the run's file error at the
// first new name that is known to be taken at that point: by an entry still there, or
// by the new name of an earlier entry, after telling onTaken that rename. Shows no
// success message.
RenameOutcome PreviewBatchRename(const RenameSettings& settings, int32_t& m_nSerial,
                                 EngineNotifications& notify, const RenamePreviewLine& onRename,
                                 RenameOrder order = RenameOrder::kListing,
                                 const RenamePreviewLine& onTaken = RenamePreviewLine());
