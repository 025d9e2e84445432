// The Merge page's merge: where the series has its checksum file, the pieces and the
// joined data are checked while they are copied, and one lost piece can be rebuilt
// from the spare first; without one, the plain merge.
#pragma once

#include "platform/engine_notifications.h"
#include "platform/outcome.h"

struct MergeFields;
struct MergeState;

// File errors raise CFileException, as the merge's own do.
Outcome MergeChecked(const MergeFields& fields, MergeState& state, EngineNotifications& notify);
