#include <optional>

#ifdef _WIN32
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"
#else
#include <limits.h>
#include <unistd.h>
#endif

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "platform/framework_texts.h"
#include "platform/number_parse.h"
#include "rename/journaled_rename.h"
#include "rename/rename_engine.h"
#include "rename/rename_plan.h"

namespace {

struct RenameArgs {
    std::optional<std::string> folder, sequence, increment, extension, find, with, order;
    bool numberFirst = false;
    bool folders = false;
    bool dryRun = false;
};

// Where the values of an option go; none for an option that takes no value.
std::vector<std::optional<std::string>*> ValuesOf(const std::string& option, RenameArgs& out) {
    if (option == "--sequence") return {&out.sequence};
    if (option == "--increment") return {&out.increment};
    if (option == "--extension") return {&out.extension};
    if (option == "--replace") return {&out.find, &out.with};
    if (option == "--order") return {&out.order};
    return {};
}

// Exactly one rule; the numbering options only with the sequence rule.
bool Consistent(const RenameArgs& a) {
    const int rules = (a.sequence ? 1 : 0) + (a.extension ? 1 : 0) + (a.find ? 1 : 0);
    RenameOrder order;
    return a.folder && rules == 1 && (a.sequence || (!a.increment && !a.numberFirst)) &&
           (!a.order || ParseRenameOrder(*a.order, order));
}

// False for anything the usage does not allow.
bool ParseRenameArgs(const std::vector<std::string>& args, RenameArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const std::vector<std::optional<std::string>*> values = ValuesOf(a, out);
        if (!values.empty()) {
            if (*values[0] || args.size() - i - 1 < values.size()) return false;
            for (std::optional<std::string>* value : values) *value = args[++i];
        } else if (a == "--number-first" && !out.numberFirst) {
            out.numberFirst = true;
        } else if (a == "--folders" && !out.folders) {
            out.folders = true;
        } else if (a == "--dry-run" && !out.dryRun) {
            out.dryRun = true;
        } else if (a.compare(0, 2, "--") == 0 || out.folder) {
            return false;
        } else {
            out.folder = a;
        }
    }
    return Consistent(out);
}

// Without --order: by name on POSIX, whose listing order is the file system's own
// (ext4 lists by hash), so that one command numbers alike on both systems; on Windows
// the listing's order, as the window takes it.
RenameOrder OrderFor(const RenameArgs& a) {
    RenameOrder order = RenameOrder::kListing;
#ifndef _WIN32
    order = RenameOrder::kName;
#endif
    if (a.order) ParseRenameOrder(*a.order, order);
    return order;
}

}  // namespace

// The folder as a full path: the engine refuses texts shorter than a drive root such
// as "C:\", which would otherwise refuse short relative names and "." as well.
std::string FullFolderPath(const std::string& folder) {
    if (folder.empty()) return folder;
#ifdef _WIN32
    const std::wstring full = system_path::Full(wide::FromUtf8(folder));
    return full.empty() ? folder : wide::ToUtf8(full);
#else
    char cwd[PATH_MAX];
    if (folder[0] == '/' || getcwd(cwd, sizeof cwd) == nullptr) return folder;
    return std::string(cwd) + "/" + folder;
#endif
}

namespace {

// The settings the page would hold with the same choices made on it.
RenameSettings SettingsFor(const RenameArgs& a, int32_t increment) {
    RenameSettings s;
    s.m_strFolder = FullFolderPath(*a.folder);
    s.m_bFilesOnly = a.folders ? 0 : 1;
    s.m_bFoldersOnly = a.folders ? 1 : 0;
    s.m_bChangeName = a.sequence ? 1 : 0;
    s.m_bChangeExt = a.extension ? 1 : 0;
    s.m_bReplaceText = a.find ? 1 : 0;
    s.m_strNewName = a.sequence.value_or(s.m_strNewName);
    s.m_nIncrement = increment;
    s.m_bNumberFirst = a.numberFirst ? 1 : 0;
    s.m_strNewExt = a.extension.value_or(s.m_strNewExt);
    s.m_strFind = a.find.value_or(std::string());
    s.m_strReplace = a.with.value_or(std::string());
    return s;
}

}  // namespace

// A failed rename raises CFileException; main reports it like the window's framework.
int RunRenameCommand(const std::vector<std::string>& argList, Terminal& terminal) {
    RenameArgs args;
    if (!ParseRenameArgs(argList, args)) return kExitUsage;
    int32_t increment = 1;
    if (args.increment && !number_parse::ParseInteger(*args.increment, increment)) {
        terminal.ShowMessage(framework_text::Get(framework_text::kParseInteger));
        return kExitFailed;
    }
    int32_t serial = 0;
    const RenameSettings settings = SettingsFor(args, increment);
    const RenameOrder order = OrderFor(args);
    if (args.dryRun) {
        const RenamePlan plan = PlanBatchRename(settings, order);
        for (const RenamePlan::Rename& r : plan.renames) {
            terminal.PrintUtf8(r.first + " -> " + r.second + "\n");
        }
        if (plan.stops) throw plan.stopError;
        if (plan.outcome.ok()) return kExitDone;
        terminal.ReportEnd(plan.outcome.reason);
        return kExitFailed;
    }
    const JournaledRenameReport report = RunJournaledRename(settings, serial, terminal, order);
    if (report.journal.kind == JournalTrouble::kNoStateFolder) {
        terminal.ShowMessage(cli_text::kNoStateFolder);
        return kExitFailed;
    }
    if (report.journal.kind == JournalTrouble::kUnwritable) throw report.journal.error;
    if (report.outcome.ok()) return kExitDone;
    terminal.ReportEnd(report.outcome.reason);
    return kExitFailed;
}
