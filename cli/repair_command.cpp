#include "cli/check_texts.h"
#include "cli/commands.h"
#include "cli/terminal.h"
#include "platform/text.h"
#include "split/repair.h"

namespace {

std::string Shown(const std::string& path) {
    return text::ForDisplay(path);
}

}  // namespace

int RunRepairCommand(const std::vector<std::string>& args, Terminal& terminal) {
    if (args.size() != 1 || args[0].empty() || args[0].compare(0, 2, "--") == 0) {
        return kExitUsage;
    }
    const std::string piece = CommandLinePath(args[0]);
    const RepairReport report = RepairSeries(piece);
    using namespace check_text;
    const std::string lost = report.lost.empty() ? std::string() : Shown(report.lost[0]);
    const std::string spare = Shown(report.sparePath);
    switch (report.result) {
        case RepairReport::kNoChecksumFile:
            terminal.ShowMessage(Fill(kNoChecksumFile, {Shown(piece)}));
            return kExitFailed;
        case RepairReport::kWhole:
            terminal.Print(Fill(kNothingToRepair, {Shown(report.checksumPath)}));
            // A damaged spare is worth knowing of before a piece goes missing.
            if (!report.spareFound || report.spareOk) return kExitDone;
            terminal.ShowMessage(Fill(kSpareDamaged, {spare}));
            return kExitFailed;
        case RepairReport::kRebuilt:
            terminal.Print(Fill(kRebuilt, {lost, Shown(report.checksumPath)}));
            return kExitDone;
        case RepairReport::kTooMany:
            for (const std::string& path : report.lost) {
                terminal.ShowMessage(Fill(kLost, {Shown(path)}));
            }
            terminal.ShowMessage(Fill(kTooMany, {std::to_string(report.lost.size())}));
            return kExitFailed;
        case RepairReport::kSpareMissing:
            terminal.ShowMessage(Fill(kSpareMissing, {spare, lost}));
            return kExitFailed;
        case RepairReport::kSpareDamaged:
            terminal.ShowMessage(Fill(kSpareDamagedNotUsed, {spare, lost}));
            return kExitFailed;
        case RepairReport::kRebuiltDiffers:
            terminal.ShowMessage(Fill(kRebuiltDiffers, {lost}));
            return kExitFailed;
    }
    return kExitFailed;
}
