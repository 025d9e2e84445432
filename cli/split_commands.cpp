#include <optional>

#include "cli/check_texts.h"
#include "cli/checked_commands.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/framework_texts.h"
#include "platform/number_parse.h"
#include "platform/path.h"
#include "platform/text.h"
#include "split/merge_engine.h"
#include "split/series_checksums.h"
#include "split/split_engine.h"

using cli_text::Fill;

namespace {

struct SplitArgs {
    std::string source;
    std::optional<std::string> size, parts, into;
    bool yes = false;
    bool checksum = true;  // --no-checksum clears it
    bool parity = false;
};

// False for anything the usage does not allow.
bool ParseSplitArgs(const std::vector<std::string>& args, SplitArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::optional<std::string>* value = a == "--size"    ? &out.size
                                            : a == "--parts" ? &out.parts
                                            : a == "--into"  ? &out.into
                                                             : nullptr;
        if (value) {
            if (*value || i + 1 == args.size()) return false;
            *value = args[++i];
        } else if (a == "--yes") {
            out.yes = true;
        } else if (a == "--no-checksum") {
            out.checksum = false;
        } else if (a == "--parity") {
            out.parity = true;
        } else if (a.compare(0, 2, "--") == 0 || !out.source.empty() || a.empty()) {
            return false;
        } else {
            out.source = a;
        }
    }
    // The spare is found, and checked, through the checksum file.
    return !out.source.empty() && !(out.size && out.parts) && (out.checksum || !out.parity);
}

std::string RangeMessage() {
    std::string text = framework_text::Get(framework_text::kRealRange);
    text::Replace(text, "%1", number_parse::FormatReal(1));
    text::Replace(text, "%2", number_parse::FormatReal(700));
    return text;
}

// The Split page's data exchange, with the typed texts in place of its edits.
bool ExchangeSplitFields(const SplitArgs& args, SplitFields& fields, Terminal& terminal) {
    float megabytes;
    if (!number_parse::ParseReal(args.size.value_or("2"), megabytes)) {
        terminal.ShowMessage(framework_text::Get(framework_text::kParseReal));
        return false;
    }
    fields.m_fChunkMB = megabytes;
    if (!(megabytes >= 1.0f && megabytes <= 700.0f)) {
        terminal.ShowMessage(RangeMessage());
        return false;
    }
    int32_t parts;
    if (!number_parse::ParseInteger(args.parts.value_or("2"), parts)) {
        terminal.ShowMessage(framework_text::Get(framework_text::kParseInteger));
        return false;
    }
    fields.m_nPartCount = parts;
    return true;
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() != path::kSeparator) folder += path::kSeparator;
    return folder;
}

// What the page holds once the source is chosen, with the target folder it proposes.
SplitFields FieldsFor(const SplitArgs& args, const CFile& source) {
    SplitFields fields;
    fields.m_strSourcePath = CommandLinePath(args.source);
    const std::string name = path::NameOf(fields.m_strSourcePath);
    fields.m_strSourceTitle = path::TitleOf(name);
    fields.m_strSourceExt = path::ExtensionOf(name);
    fields.m_nSourceMB = static_cast<int32_t>(source.GetLength() >> 20);
    fields.m_strTargetFolder = args.into ? WithSeparator(CommandLinePath(*args.into))
                                         : path::FolderWithSeparator(fields.m_strSourcePath) +
                                               fields.m_strSourceTitle + path::kSeparator;
    fields.m_nMode = args.parts ? 0 : 1;
    return fields;
}

int Finish(const Outcome& outcome, Terminal& terminal) {
    if (outcome.ok()) return kExitDone;
    terminal.ReportEnd(outcome.reason);
    return kExitFailed;
}

}  // namespace

std::string CommandLinePath(const std::string& argument) {
    std::string p = argument;
#ifdef _WIN32
    // No trail byte of a Windows double-byte code page is a '/' (they start at 0x40), so
    // every one of them is a separator.
    for (char& c : p) {
        if (c == '/') c = path::kSeparator;
    }
#endif
    if (!p.empty() && text::ReverseFind(p, path::kSeparator) == std::string::npos) {
        p = std::string(".") + path::kSeparator + p;
    }
    return p;
}

int RunSplitCommand(const std::vector<std::string>& argList, Terminal& terminal) {
    SplitArgs args;
    if (!ParseSplitArgs(argList, args)) return kExitUsage;
    CFile source;
    CFileException error(CFileException::none, 0);
    // A split with checksums writes its spare from a second read of the source, which
    // must not change in between; readers do no harm.
    const unsigned share = args.checksum ? CFile::shareDenyWrite : CFile::shareExclusive;
    if (!source.Open(CommandLinePath(args.source), CFile::modeRead | share | CFile::typeBinary,
                     &error)) {
        terminal.ShowMessage(error.ErrorMessage());
        return kExitFailed;
    }
    SplitFields fields = FieldsFor(args, source);
    terminal.SetAssumeYes(args.yes);
    terminal.SetExchange([&] { return ExchangeSplitFields(args, fields, terminal); });
    SplitChecks checks;
    checks.checksums = args.checksum;
    checks.spare = args.parity;
    return Finish(SplitFile(source, fields, terminal, checks), terminal);
}

int RunMergeCommand(const std::vector<std::string>& args, Terminal& terminal) {
    if (args.size() != 2 || args[0].compare(0, 2, "--") == 0 || args[1].compare(0, 2, "--") == 0) {
        return kExitUsage;
    }
    const std::string piece = CommandLinePath(args[0]);
    const std::string output = CommandLinePath(args[1]);
    MergeFields fields{piece, path::FolderOf(piece), output, path::FolderOf(output)};
    SeriesChecksumFile checksums = FindSeriesChecksumFile(piece);
    if (checksums.state == SeriesChecksumFile::kUnreadable) {
        return ReportUnreadable(checksums.path, terminal);
    }
    if (checksums.state == SeriesChecksumFile::kFound) {
        return RunCheckedMerge(fields, std::move(checksums), terminal);
    }
    MergeState state;
    const int status = Finish(MergeEngine(fields, state, terminal).MergePieces(), terminal);
    if (status == kExitDone) {
        terminal.PrintUtf8(Fill(check_text::kNotChecked, {path::NameOf(checksums.path)}));
    }
    return status;
}
