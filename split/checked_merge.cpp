#include "split/checked_merge.h"

#include "platform/path.h"
#include "platform/text.h"
#include "split/merge_engine.h"
#include "split/repair.h"
#include "split/series_checksums.h"
#include "split/split_texts.h"

namespace {

std::string NameList(const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& p : paths) names += "\n" + text::ForDisplay(path::NameOf(p));
    return names;
}

Outcome Refuse(EngineNotifications& notify, const std::string& text) {
    notify.ShowMessage(text);
    return Outcome::Refused(text);
}

// Offers the rebuild of the one lost piece; a refusal or a failure leaves the series
// to the merge as it is.
void OfferRebuild(const RepairReport& check, EngineNotifications& notify) {
    const std::string piece = text::ForDisplay(path::NameOf(check.lost[0]));
    if (!notify.AskYesNo(split_text::Format(split_text::kAskRebuild, piece))) return;
    WaitCursorScope wait(notify);
    if (Rebuild(check).result != RepairReport::kRebuilt) {
        notify.ShowMessage(split_text::Format(split_text::kRebuildFailed, piece));
    }
}

}  // namespace

Outcome MergeChecked(const MergeFields& fields, MergeState& state, EngineNotifications& notify) {
    SeriesChecksumFile checksums = FindSeriesChecksumFile(fields.m_strPiecePath);
    if (checksums.state == SeriesChecksumFile::kNone) {
        return MergeEngine(fields, state, notify).MergePieces();
    }
    if (checksums.state == SeriesChecksumFile::kUnreadable) {
        return Refuse(notify, split_text::Format(split_text::kChecksumUnreadable,
                                                 text::ForDisplay(checksums.path)));
    }
    // Only a spare can bring a damaged piece back, so only then are the pieces read
    // before the merge; without one, missing pieces are what is worth knowing first.
    const std::string spare = path::FolderWithSeparator(checksums.path) +
                              SpareName(SourceNameOfChecksumFile(checksums.path));
    RepairReport check;
    {
        WaitCursorScope wait(notify);
        check = CheckForRepair(fields.m_strPiecePath, checksums.list.Find(path::NameOf(spare)));
    }
    if (check.result == RepairReport::kRebuildable) OfferRebuild(check, notify);

    MergeCheck merge(std::move(checksums));
    const Outcome outcome = MergeEngine(fields, state, notify, merge).MergePieces();
    if (outcome.ok()) return outcome;
    if (outcome.reason == split_text::kMissingPieces) {
        const RepairReport now = CheckForRepair(fields.m_strPiecePath, false);
        if (!now.lost.empty()) {
            notify.ShowMessage(split_text::Format(split_text::kPiecesLost, NameList(now.lost)));
        }
        return outcome;
    }
    if (outcome.reason != split_text::kNotTheOriginal) return outcome;
    std::vector<std::string> damaged;
    for (const ContentFault& fault : merge.Report().faults) damaged.push_back(fault.path);
    const std::string text =
        damaged.empty() ? std::string(split_text::kNotTheOriginal)
                        : split_text::Format(split_text::kPiecesDamaged, NameList(damaged));
    notify.ShowMessage(text);
    return Outcome::Failed(text);
}
