// quillet-cli: the split, merge and rename engines from a command line.
#include <new>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/console.h"
#include "cli/terminal.h"
#include "platform/file_exception.h"
#include "platform/framework_texts.h"

namespace {

int RunCommand(const std::vector<std::string>& args, Terminal& terminal) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        terminal.Print(cli_text::kUsage);
        return kExitDone;
    }
    if (args.size() == 1 && args[0] == "--version") {
        terminal.Print(std::string(QUILLET_VERSION) + "\n");
        return kExitDone;
    }
    int status = kExitUsage;
    if (!args.empty()) {
        const std::vector<std::string> rest(args.begin() + 1, args.end());
        if (args[0] == "split") status = RunSplitCommand(rest, terminal);
        if (args[0] == "merge") status = RunMergeCommand(rest, terminal);
        if (args[0] == "verify") status = RunVerifyCommand(rest, terminal);
        if (args[0] == "rename") status = RunRenameCommand(rest, terminal);
        if (args[0] == "repair") status = RunRepairCommand(rest, terminal);
        if (args[0] == "undo") status = RunUndoCommand(rest, terminal);
    }
    if (status == kExitUsage) terminal.ShowMessage(cli_text::kUsage);
    return status;
}

// The window's report of a file error, with the file's name whole: a message box
// can show only what code page 936 holds, a terminal every character.
std::string FileErrorText(const CFileException& e) {
    std::string text =
        console::FromText(framework_text::Get(framework_text::kFileNone + e.m_cause));
    const std::string name =
        e.m_strFileName.empty()
            ? console::FromText(framework_text::Get(framework_text::kUnnamedFile))
            : e.m_strFileName;
    const size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

// A run whose report did not reach its reader failed, whatever it did.
int Finished(int status, Terminal& terminal) {
    terminal.EndProgress();
    if (!console::WriteFailed()) return status;
    terminal.ShowMessage(cli_text::kOutputLost);
    return kExitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    Terminal terminal;
    try {
        return Finished(RunCommand(console::Arguments(argc, argv), terminal), terminal);
    } catch (const CFileException& e) {
        // Where the window's framework would report it: the work done so far stays.
        terminal.ShowUtf8(FileErrorText(e));
    } catch (const std::bad_alloc&) {
        terminal.ShowMessage(framework_text::Get(framework_text::kOutOfMemory));
    } catch (const CException& e) {
        std::string text;
        if (!e.GetErrorMessage(text)) text = framework_text::Get(framework_text::kInternalFailure);
        terminal.ShowMessage(text);
    }
    return Finished(kExitFailed, terminal);
}
