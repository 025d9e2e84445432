#include "split/engine_page_notifications.h"

#include "app/framework/shell_open.h"
#include "app/framework/win_app.h"

EnginePageNotifications::EnginePageNotifications(CDialog& page, const CProgressCtrl& progress,
                                                 MessageBoxKind kind)
    : m_page(page), m_progress(progress), m_kind(kind), m_pump(page.GetSafeHwnd()) {}

EnginePageNotifications::~EnginePageNotifications() {
    ShowPendingPos();
}

// Setting the bar makes it draw itself at once: once for each 10240-byte block, a 1 GiB
// split drew it over 100,000 times and took a hundred times as long under Wine as
// without the bar. Positions that arrive between two pump rounds are shown as the last.
void EnginePageNotifications::ShowPendingPos() {
    if (!m_bPosPending) return;
    m_bPosPending = false;
    m_progress.SetPos(static_cast<int>(m_nPendingPos));
}

int EnginePageNotifications::Show(const std::string& text, UINT buttons) {
    ShowPendingPos();
    if (m_kind == MessageBoxKind::kPage) return m_page.MessageBox(text, buttons);
    return AfxMessageBox(text, buttons);
}

void EnginePageNotifications::ShowMessage(const std::string& text) {
    Show(text, MB_OK);
}

bool EnginePageNotifications::AskYesNo(const std::string& text) {
    return Show(text, MB_YESNO) == IDYES;
}

void EnginePageNotifications::SetProgressRange(uint32_t min, uint32_t max) {
    ShowPendingPos();
    m_progress.SetRange(static_cast<int>(min), static_cast<int>(max));
}

void EnginePageNotifications::SetProgressPos(uint64_t pos) {
    m_nPendingPos = pos;
    m_bPosPending = true;
    if (!m_pump.IsDue()) return;
    ShowPendingPos();
    m_pump.Pump();
}

void EnginePageNotifications::BeginWaitCursor() {
    AfxGetApp()->BeginWaitCursor();
}

void EnginePageNotifications::EndWaitCursor() {
    ShowPendingPos();
    AfxGetApp()->EndWaitCursor();
}

void EnginePageNotifications::OpenFolder(const std::string& path) {
    ShowPendingPos();
    ShellOpen(path);
}

bool EnginePageNotifications::UpdateData() {
    ShowPendingPos();
    return m_page.UpdateData(true);
}
