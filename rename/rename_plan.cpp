#include "rename/rename_plan.h"

#include "rename/rename_preview.h"

namespace {

class Unheard : public EngineNotifications {
  public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    void SetProgressRange(uint32_t, uint32_t) override {}
    void SetProgressPos(uint64_t) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OpenFolder(const std::string&) override {}
    bool UpdateData() override { return true; }
};

}  // namespace

std::vector<RenamePlan::Rename> RenamePlan::Changes() const {
    std::vector<Rename> changes;
    for (const Rename& r : renames) {
        if (r.first != r.second) changes.push_back(r);
    }
    return changes;
}

RenamePlan PlanBatchRename(const RenameSettings& settings, RenameOrder order) {
    RenamePlan plan;
    Unheard notify;
    int32_t serial = 0;
    try {
        plan.outcome = PreviewBatchRename(
            settings, serial, notify,
            [&](const std::string& from, const std::string& to) {
                plan.renames.emplace_back(from, to);
            },
            order,
            [&](const std::string& from, const std::string& to) {
                plan.stop = {from, to};
            });
    } catch (const CFileException& e) {
        plan.stops = true;
        plan.stopError = e;
    }
    return plan;
}
