// How a split or merge shows itself on the page that runs it.
#pragma once

#include <cstdint>
#include <string>

#include "app/framework/dialog.h"
#include "app/framework/progress_ctrl.h"
#include "app/framework/session_end.h"
#include "platform/engine_notifications.h"
#include "split/busy_page_pump.h"

class EnginePageNotifications : public EngineNotifications {
  public:
    // The split speaks through the page's own plain box, the merge through the
    // application's box with its exclamation.
    enum class MessageBoxKind { kPage, kApplication };

    // While the object lives, the run is under way and the session may not end. With a
    // stop question, Escape or the close box asks it and Yes stops the run.
    EnginePageNotifications(CDialog& page, const CProgressCtrl& progress, MessageBoxKind kind,
                            const char* stopQuestion = nullptr);
    // Draws the bar at its last position, also when a failure ends the run.
    ~EnginePageNotifications() override;

    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void SetProgressRange(uint32_t min, uint32_t max) override;
    // The bar takes every position at once but draws itself only once a pump round
    // (BusyPagePump), when the window also paints and may be moved, and before anything
    // else the run shows or ends.
    void SetProgressPos(uint64_t pos) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    void OpenFolder(const std::string& path) override;
    bool UpdateData() override;
    bool StopRequested() override;

  private:
    int Show(const std::string& text, UINT buttons);
    void DrawBar();

    CDialog& m_page;
    const CProgressCtrl& m_progress;
    MessageBoxKind m_kind;
    BusyPagePump m_pump;
    bool m_bBarHeld = false;
    const char* m_szStopQuestion;
    bool m_bStopping = false;
    CSessionEndBlock m_sessionEnd;
};
