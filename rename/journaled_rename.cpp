#include "rename/journaled_rename.h"

#include <utility>
#include <vector>

#include "platform/folder.h"
#include "platform/path.h"
#include "platform/state_files.h"
#include "rename/journal_store.h"
#include "rename/rename_plan.h"

JournaledRenameReport RunJournaledRename(const RenameSettings& settings, int32_t& m_nSerial,
                                         EngineNotifications& notify, RenameOrder order) {
    JournaledRenameReport report;
    if (state_files::Folder().empty()) {
        report.journal.kind = JournalTrouble::kNoStateFolder;
        return report;
    }
    JournalWriter journal(settings.m_strFolder);
    const std::string prefix = settings.m_strFolder + path::kSeparator;
    std::vector<RenamePlan::Rename> plan = PlanBatchRename(settings, order).Changes();
    try {
        // From an entry that cannot be journaled on, each rename is journaled on its own,
        // which refuses it.
        plan.resize(journal.RecordAll(prefix, plan));
    } catch (const CFileException& e) {
        report.journal.kind = JournalTrouble::kUnwritable;
        report.journal.error = e;
        return report;
    }
    size_t next = 0;
    RenameRunOptions options;
    options.order = order;
    options.beforeRename = [&](const std::string& folderPrefix, const std::string& oldName,
                               const std::string& newName) {
        // The plan holds each new name as the folder stores it.
        if (next < plan.size() &&
            plan[next] == std::make_pair(oldName, folder::StoredName(newName))) {
            ++next;
        } else {
            next = plan.size();
            journal.Record(folderPrefix, oldName, newName);
        }
    };
    report.outcome = RunBatchRename(settings, m_nSerial, notify, options);
    return report;
}

LastRunUndo UndoLastRun(const std::string& folderPath, bool dryRun) {
    LastRunUndo undo;
    const std::string resolved = folder::Resolve(folderPath);
    std::string text;
    rename_journal::Journal journal;
    if (!LastJournal(resolved, undo.journalPath, text)) {
        undo.status = LastRunUndo::kNoJournal;
        return undo;
    }
    if (rename_journal::IsFirstFormat(text)) {
        undo.status = LastRunUndo::kFirstFormat;
        return undo;
    }
    if (!rename_journal::Read(text, journal, undo.badLine)) {
        undo.status = LastRunUndo::kDamaged;
        return undo;
    }
    if (!JournalIsOf(journal, resolved)) {
        undo.status = LastRunUndo::kOtherFolder;
        return undo;
    }
    JournalWriter undoJournal(resolved);
    bool journaled = false;
    try {
        undo.result = UndoRenames(resolved + path::kSeparator, journal, dryRun,
                                  [&](const std::vector<rename_journal::Record>& moves) {
                                      undoJournal.RecordAll(moves);
                                      journaled = true;
                                  });
    } catch (const CFileException& e) {
        if (journaled) throw;  // a move failed: what the undo did so far stays
        undo.status = LastRunUndo::kUnwritable;
        undo.journalError = e;
    }
    return undo;
}
