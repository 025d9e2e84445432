// The renames a batch rename is going to make, found by the run's own walk without
// making any: what a preview shows and what a journal records before the first.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/file_exception.h"
#include "rename/rename_engine.h"
#include "rename/rename_order.h"
#include "rename/rename_settings.h"

struct RenamePlan {
    using Rename = std::pair<std::string, std::string>;  // old name, new name
    // The run's refusal of the whole folder, with the text the run would show; kDone
    // otherwise.
    RenameOutcome outcome;
    // In the run's order; an entry whose rule gives it its own name again is listed too.
    std::vector<Rename> renames;
    // The rename the run would stop at, its new name being taken, and the file error
    // the run would end with there.
    bool stops = false;
    Rename stop;
    CFileException stopError{CFileException::none, 0};

    // Only the renames that change a name, as a journal records them.
    std::vector<Rename> Changes() const;
};

// Tells nobody: the run that follows shows what there is to show.
RenamePlan PlanBatchRename(const RenameSettings& settings, RenameOrder order);
