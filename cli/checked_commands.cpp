// The content checks of verify and merge, where the series has its checksum file.
#include "cli/checked_commands.h"

#include "cli/check_texts.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "platform/path.h"
#include "split/merge_engine.h"
#include "split/series_checksums.h"

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

void StartAtCopy::SetProgressRange(uint32_t min, uint32_t max) {
    if (m_start) {
        auto start = std::move(m_start);
        m_start = nullptr;
        start();
    }
    m_terminal.SetProgressRange(min, max);
}

bool VerifyContents(const std::string& piecePath, const std::string& sourceName,
                    Terminal& terminal) {
    ChecksumList list;
    const std::string checksumPath = FindChecksumFile(piecePath, list);
    if (checksumPath.empty()) {
        terminal.PrintUtf8(Fill(check_text::kNotChecked, {sourceName + kChecksumSuffix}));
        return true;
    }
    WarnBadLines(checksumPath, list, terminal);
    MergeFields fields{piecePath, path::FolderOf(piecePath), "", ""};
    MergeState state;
    std::vector<ScannedPiece> found;
    MergeEngine(fields, state, terminal).FindPieces(found);
    std::vector<std::string> pieces;
    for (const ScannedPiece& piece : found) pieces.push_back(piece.path);
    const ContentReport report = CheckContents(checksumPath, list, pieces);
    ShowFaults(checksumPath, report, terminal);
    if (report.ok()) terminal.PrintUtf8(Fill(check_text::kChecked, {checksumPath}));
    return report.ok();
}

int RunCheckedMerge(const MergeFields& fields, const std::string& checksumPath,
                    const ChecksumList& list, Terminal& terminal) {
    WarnBadLines(checksumPath, list, terminal);
    MergeState state;
    MergeCheck check(checksumPath, list);
    StartAtCopy notify(terminal, [&] { check.Start(state); });
    const Outcome outcome = MergeEngine(fields, state, notify).MergePieces();
    if (!outcome.ok()) {
        terminal.ReportEnd(outcome.reason);
        return kExitFailed;
    }
    const ContentReport report = check.Finish();
    ShowFaults(checksumPath, report, terminal);
    if (!report.wholeListed) {
        terminal.ShowUtf8(Fill(check_text::kWholeNotListed, {checksumPath}));
    } else if (!report.wholeMatches) {
        terminal.ShowUtf8(Fill(check_text::kOutputNotOriginal, {fields.m_strOutputPath}));
    } else {
        terminal.PrintUtf8(
            Fill(check_text::kOutputIsOriginal, {fields.m_strOutputPath, checksumPath}));
    }
    return report.ok() ? kExitDone : kExitFailed;
}
