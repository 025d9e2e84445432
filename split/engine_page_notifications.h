// How a split or merge shows itself on the page that runs it.
#pragma once

#include <cstdint>
#include <string>

#include "app/framework/dialog.h"
#include "app/framework/progress_ctrl.h"
#include "platform/engine_notifications.h"
#include "split/busy_page_pump.h"

class EnginePageNotifications : public EngineNotifications {
  public:
    // The split speaks through the page's own plain box, the merge through the
    // application's box with its exclamation.
    enum class MessageBoxKind { kPage, kApplication };

    EnginePageNotifications(CDialog& page, const CProgressCtrl& progress, MessageBoxKind kind);

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void SetProgressRange(uint32_t min, uint32_t max) override;
    // Also lets the window paint and move now and then (BusyPagePump).
    void SetProgressPos(uint64_t pos) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void OpenFolder(const std::string& path) override;
    bool UpdateData() override;

  private:
    int Show(const std::string& text, UINT buttons) const;

    CDialog& m_page;
    const CProgressCtrl& m_progress;
    MessageBoxKind m_kind;
    BusyPagePump m_pump;
};
