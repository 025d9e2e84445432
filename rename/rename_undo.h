// Puts back the names a batch rename gave, from its journal, last rename first.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "rename/rename_journal.h"

struct UndoStep {
    enum Kind {
        kRestored,     // from (the name the entry had) back to to (its old name)
        kChanged,      // the entry is no longer under a name the run gave it; left alone
        kOldNameTaken  // another entry holds the old name; left alone
    } kind;
    std::string from, to;
};

struct UndoResult {
    std::vector<UndoStep> steps;
    bool allRestored() const;
};

// Told every move an undo is going to make, before the first, each as a rename from
// the name the run gave the entry to its old name, so the undo can be journaled and
// undone in turn.
using UndoJournal = std::function<void(const std::vector<rename_journal::Record>& moves)>;

// Whether journal is of the folder whose resolved path is resolvedFolder: it names that
// path, and the folder there is still the one the run renamed in (not deleted and made
// again, nor reached through a link that leads elsewhere now).
bool JournalIsOf(const rename_journal::Journal& journal, const std::string& resolvedFolder);

// Undoes journal's renames in folderPrefix (the journal's folder with the separator),
// deciding every move from the folder as it stands before making the first. Each
// entry is looked for by its identity under its new name, then its old one (a rename
// the run never came to: nothing to do), then under the temporary names of a
// case-only rename to its new name (a run killed between the two moves). An entry
// found under none of them was changed since, and is left alone. With dryRun nothing
// is moved. A move that fails raises CFileException.
UndoResult UndoRenames(const std::string& folderPrefix, const rename_journal::Journal& journal,
                       bool dryRun, const UndoJournal& beforeRenames);
