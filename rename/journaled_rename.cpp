#include "rename/journaled_rename.h"

#include <utility>
#include <vector>

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
    const std::vector<RenamePlan::Rename> plan = PlanBatchRename(settings, order).Changes();
    try {
        journal.RecordAll(prefix, plan);
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
        if (next < plan.size() && plan[next] == std::make_pair(oldName, newName)) {
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
    std::string text;
    rename_journal::Journal journal;
    if (!LastJournal(folderPath, undo.journalPath, text)) {
        undo.status = LastRunUndo::kNoJournal;
        return undo;
    }
    if (!rename_journal::Read(text, journal, undo.badLine)) {
        undo.status = LastRunUndo::kDamaged;
        return undo;
    }
    // The journal's own folder: the one the run renamed in, however it is named now.
    JournalWriter undoJournal(journal.folder);
    bool journaled = false;
    try {
        undo.result = UndoRenames(journal.folder + path::kSeparator, journal, dryRun,
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
