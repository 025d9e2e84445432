#include "split/engine_page_notifications.h"

#include "app/framework/shell_open.h"
#include "app/framework/win_app.h"

EnginePageNotifications::EnginePageNotifications(CDialog& page, const CProgressCtrl& progress,
                                                 MessageBoxKind kind)
    : m_page(page), m_progress(progress), m_kind(kind), m_pump(page.GetSafeHwnd()) {}

int EnginePageNotifications::Show(const std::string& text, UINT buttons) const {
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
    m_progress.SetRange(static_cast<int>(min), static_cast<int>(max));
}

void EnginePageNotifications::SetProgressPos(uint64_t pos) {
    m_progress.SetPos(static_cast<int>(pos));
    m_pump.KeepAlive();
}

void EnginePageNotifications::BeginWaitCursor() {
    AfxGetApp()->BeginWaitCursor();
}

void EnginePageNotifications::EndWaitCursor() {
    AfxGetApp()->EndWaitCursor();
}

void EnginePageNotifications::OpenFolder(const std::string& path) {
    ShellOpen(path);
}

bool EnginePageNotifications::UpdateData() {
    return m_page.UpdateData(true);
}
