// The content checks of verify and merge, where the series has its checksum file.
#include "cli/checked_commands.h"

#include "cli/check_texts.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "platform/path.h"
#include "split/merge_engine.h"
#include "split/series_checksums.h"
#include "split/split_texts.h"

using cli_text::Fill;

namespace {

void WarnBadLines(const std::string& checksumPath, const ChecksumList& list, Terminal& terminal) {
    for (size_t number : list.badLines) {
        terminal.ShowUtf8(Fill(check_text::kBadLine, {checksumPath, std::to_string(number)}));
    }
}

void ShowFaults(const std::string& checksumPath, const ContentReport& report, Terminal& terminal) {
    for (const ContentFault& fault : report.faults) {
        const char* pattern =
            fault.kind == ContentFault::kNotListed ? check_text::kNotListed : check_text::kDiffers;
        terminal.ShowUtf8(Fill(pattern, {fault.path, checksumPath}));
    }
}

}  // namespace

int ReportUnreadable(const std::string& checksumPath, Terminal& terminal) {
    terminal.ShowUtf8(Fill(check_text::kUnreadable, {checksumPath}));
    return kExitFailed;
}

bool VerifyContents(const std::string& piecePath, const std::string& sourceName,
                    Terminal& terminal) {
    const SeriesChecksumFile checksums = FindSeriesChecksumFile(piecePath);
    if (checksums.state == SeriesChecksumFile::kUnreadable) {
        ReportUnreadable(checksums.path, terminal);
        return false;
    }
    if (checksums.state == SeriesChecksumFile::kNone) {
        terminal.PrintUtf8(Fill(check_text::kNotChecked, {sourceName + kChecksumSuffix}));
        return true;
    }
    WarnBadLines(checksums.path, checksums.list, terminal);
    MergeFields fields{piecePath, path::FolderOf(piecePath), "", ""};
    MergeState state;
    std::vector<ScannedPiece> found;
    MergeEngine(fields, state, terminal).FindPieces(found);
    std::vector<std::string> pieces;
    for (const ScannedPiece& piece : found) pieces.push_back(piece.path);
    const ContentReport report = CheckContents(checksums.path, checksums.list, pieces);
    ShowFaults(checksums.path, report, terminal);
    if (report.ok()) terminal.PrintUtf8(Fill(check_text::kChecked, {checksums.path}));
    return report.ok();
}

int RunCheckedMerge(const MergeFields& fields, SeriesChecksumFile checksums, Terminal& terminal) {
    const std::string checksumPath = checksums.path;
    WarnBadLines(checksumPath, checksums.list, terminal);
    MergeState state;
    MergeCheck check(std::move(checksums));
    const Outcome outcome = MergeEngine(fields, state, terminal, check).MergePieces();
    if (!outcome.ok() && outcome.reason != split_text::kNotTheOriginal) {
        terminal.ReportEnd(outcome.reason);
        return kExitFailed;
    }
    const ContentReport& report = check.Report();
    ShowFaults(checksumPath, report, terminal);
    const std::string& output = fields.m_strOutputPath;
    if (report.wholeListed && !report.wholeMatches) {
        terminal.ShowUtf8(Fill(check_text::kOutputNotOriginal, {output}));
    } else if (!report.wholeListed) {
        terminal.ShowUtf8(Fill(check_text::kWholeNotListed, {checksumPath}));
        if (report.faults.empty()) terminal.PrintUtf8(Fill(check_text::kChecked, {checksumPath}));
    } else if (report.faults.empty()) {
        terminal.PrintUtf8(Fill(check_text::kAllChecked, {output, checksumPath}));
    } else {
        terminal.PrintUtf8(Fill(check_text::kOutputIsOriginal, {output, checksumPath}));
    }
    return report.ok() ? kExitDone : kExitFailed;
}
