#include "cli/check_texts.h"
#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "split/repair.h"

using cli_text::Fill;

int RunRepairCommand(const std::vector<std::string>& args, Terminal& terminal) {
    if (args.size() != 1 || args[0].empty() || args[0].compare(0, 2, "--") == 0) {
        return kExitUsage;
    }
    const std::string piece = CommandLinePath(args[0]);
    const RepairReport report = RepairSeries(piece);
    using namespace check_text;
    const std::string lost = report.lost.empty() ? std::string() : report.lost[0];
    const std::string spare = report.sparePath;
    switch (report.result) {
        case RepairReport::kNoChecksumFile:
            terminal.ShowUtf8(Fill(kNoChecksumFile, {piece, report.checksumPath}));
            return kExitFailed;
        case RepairReport::kChecksumUnreadable:
            terminal.ShowUtf8(Fill(kUnreadable, {report.checksumPath}));
            return kExitFailed;
        case RepairReport::kWhole:
            terminal.PrintUtf8(Fill(kNothingToRepair, {report.checksumPath}));
            // A damaged spare is worth knowing of before a piece goes missing.
            if (!report.spareFound || report.spareOk) return kExitDone;
            terminal.ShowUtf8(Fill(kSpareDamaged, {spare}));
            return kExitFailed;
        case RepairReport::kRebuildable:  // RepairSeries goes on to rebuild
        case RepairReport::kRebuilt:
            terminal.PrintUtf8(Fill(kRebuilt, {lost, report.checksumPath}));
            return kExitDone;
        case RepairReport::kTooMany:
            for (const std::string& path : report.lost) {
                terminal.ShowUtf8(Fill(kLost, {path}));
            }
            terminal.ShowUtf8(Fill(kTooMany, {std::to_string(report.lost.size())}));
            return kExitFailed;
        case RepairReport::kPieceNewer:
            terminal.ShowUtf8(Fill(kPieceNewer, {lost, report.checksumPath}));
            return kExitFailed;
        case RepairReport::kSpareMissing:
            terminal.ShowUtf8(Fill(kSpareMissing, {spare, lost}));
            return kExitFailed;
        case RepairReport::kSpareDamaged:
            terminal.ShowUtf8(Fill(kSpareDamagedNotUsed, {spare, lost}));
            return kExitFailed;
        case RepairReport::kRebuiltDiffers:
            terminal.ShowUtf8(Fill(kRebuiltDiffers, {lost}));
            return kExitFailed;
    }
    return kExitFailed;
}
