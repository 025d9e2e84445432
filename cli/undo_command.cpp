// quillet-cli undo FOLDER [--dry-run]: puts back the names of the last rename run in
// the folder, and journals that as a run of its own, so it can be undone too.
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "rename/journaled_rename.h"

namespace {

bool ParseUndoArgs(const std::vector<std::string>& args, std::string& folder, bool& dryRun) {
    bool haveFolder = false;
    dryRun = false;
    for (const std::string& a : args) {
        if (a == "--dry-run" && !dryRun) {
            dryRun = true;
        } else if (a.compare(0, 2, "--") == 0 || haveFolder || a.empty()) {
            return false;
        } else {
            folder = a;
            haveFolder = true;
        }
    }
    return haveFolder;
}

void Report(const UndoStep& step, Terminal& terminal) {
    switch (step.kind) {
        case UndoStep::kRestored:
            terminal.PrintUtf8(step.from + " -> " + step.to + "\n");
            break;
        case UndoStep::kChanged:
            terminal.ShowUtf8(cli_text::Fill(cli_text::kEntryChanged, {step.from}));
            break;
        case UndoStep::kOldNameTaken:
            terminal.ShowUtf8(cli_text::Fill(cli_text::kOldNameTaken, {step.from, step.to}));
            break;
    }
}

}  // namespace

int RunUndoCommand(const std::vector<std::string>& args, Terminal& terminal) {
    std::string folder;
    bool dryRun = false;
    if (!ParseUndoArgs(args, folder, dryRun)) return kExitUsage;
    folder = FullFolderPath(folder);
    const LastRunUndo undo = UndoLastRun(folder, dryRun);
    switch (undo.status) {
        case LastRunUndo::kNoJournal:
            terminal.ShowUtf8(cli_text::Fill(cli_text::kNoJournal, {folder}));
            return kExitFailed;
        case LastRunUndo::kDamaged:
            terminal.ShowUtf8(cli_text::Fill(cli_text::kJournalDamaged,
                                             {undo.journalPath, std::to_string(undo.badLine)}));
            return kExitFailed;
        case LastRunUndo::kFirstFormat:
            terminal.ShowUtf8(cli_text::Fill(cli_text::kJournalFirstFormat, {undo.journalPath}));
            return kExitFailed;
        case LastRunUndo::kOtherFolder:
            terminal.ShowUtf8(
                cli_text::Fill(cli_text::kJournalOtherFolder, {undo.journalPath, folder}));
            return kExitFailed;
        case LastRunUndo::kUnwritable:
            throw undo.journalError;
        case LastRunUndo::kUndone:
            break;
    }
    const UndoResult& result = undo.result;
    size_t restored = 0;
    for (const UndoStep& step : result.steps) {
        Report(step, terminal);
        restored += step.kind == UndoStep::kRestored ? 1 : 0;
    }
    const size_t left = result.steps.size() - restored;
    const std::string done = std::to_string(restored), undone = std::to_string(left);
    terminal.ShowUtf8(dryRun      ? cli_text::Fill(cli_text::kWouldRestore, {done, undone})
                      : left == 0 ? cli_text::Fill(cli_text::kRestored, {done})
                                  : cli_text::Fill(cli_text::kPartlyRestored, {done, undone}));
    return left == 0 ? kExitDone : kExitFailed;
}
