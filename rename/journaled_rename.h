// A batch rename that journals its renames before making them, and the undo of a
// folder's last run, journaled in turn: the window and quillet-cli both run these.
#pragma once

#include <cstddef>
#include <string>

#include "platform/engine_notifications.h"
#include "platform/file_exception.h"
#include "rename/rename_engine.h"
#include "rename/rename_order.h"
#include "rename/rename_settings.h"
#include "rename/rename_undo.h"

// Why a run renamed nothing for its journal's sake.
struct JournalTrouble {
    enum Kind {
        kNone,
        kNoStateFolder,  // the environment names no folder for journals
        kUnwritable      // error says why, named with the journal's or the folder's path
    } kind = kNone;
    CFileException error{CFileException::none, 0};
};

struct JournaledRenameReport {
    RenameOutcome outcome;  // not run where journal says why
    JournalTrouble journal;
};

// Plans the run and records the whole plan with one flush before its first rename;
// a rename the plan did not foresee (the folder changed meanwhile) is recorded with a
// flush of its own, and one that cannot be recorded ends the run there by raising
// CFileException. A failed rename raises CFileException as RunBatchRename does.
JournaledRenameReport RunJournaledRename(const RenameSettings& settings, int32_t& m_nSerial,
                                         EngineNotifications& notify, RenameOrder order);

struct LastRunUndo {
    enum Status {
        kUndone,     // result says what came back and what was left alone
        kNoJournal,  // no run in the folder to undo
        kDamaged,    // the journal at journalPath is damaged at badLine
        kFirstFormat,  // the journal at journalPath is of the first format, which cannot
                       // tell a renamed entry from another that took its number
        kOtherFolder,  // the journal at journalPath is of a folder that is not this one now
        kUnwritable  // the undo's own journal could not be started: nothing moved
    } status = kUndone;
    std::string journalPath;
    size_t badLine = 0;
    CFileException journalError{CFileException::none, 0};
    UndoResult result;
};

// Puts back the names of the last run in folderPath (a full path), only where the
// journal's folder is still this very folder, and journals the moves first as a run of
// their own. With dryRun it
// only finds what would come back. A move that fails raises CFileException.
LastRunUndo UndoLastRun(const std::string& folderPath, bool dryRun);
