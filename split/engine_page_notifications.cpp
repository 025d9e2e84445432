#include "split/engine_page_notifications.h"

#include "app/app_texts.h"
#include "app/framework/shell_open.h"
#include "app/framework/win_app.h"

EnginePageNotifications::EnginePageNotifications(CDialog& page, const CProgressCtrl& progress,
                                                 MessageBoxKind kind, const char* stopQuestion)
    : m_page(page),
      m_progress(progress),
      m_kind(kind),
      m_pump(page.GetSafeHwnd()),
      m_szStopQuestion(stopQuestion),
      m_sessionEnd(page.GetSafeHwnd(), app_text::kRunBlocksSessionEnd) {}

EnginePageNotifications::~EnginePageNotifications() {
    DrawBar();
}

// Every position goes to the bar as it comes, but a bar that takes a position draws
// itself at once: under Wine with its default theme that drawing costs about half a
// millisecond, and a 1 GiB split, drawing its bar for each of its 104,858 blocks, took a
// hundred times as long as without a bar. So the bar is held from drawing between pump
// rounds and drawn once in each round, and before anything else the run shows or ends.
void EnginePageNotifications::DrawBar() {
    if (!m_bBarHeld) return;
    m_bBarHeld = false;
    m_progress.DrawNow();
}

int EnginePageNotifications::Show(const std::string& text, UINT buttons) {
    DrawBar();
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
    DrawBar();
    m_progress.SetRange(static_cast<int>(min), static_cast<int>(max));
}

void EnginePageNotifications::SetProgressPos(uint64_t pos) {
    if (!m_bBarHeld) {
        m_progress.HoldDrawing();
        m_bBarHeld = true;
    }
    m_progress.SetPos(static_cast<int>(pos));
    if (!m_pump.IsDue()) return;
    DrawBar();
    m_pump.Pump();
}

void EnginePageNotifications::BeginWaitCursor() {
    AfxGetApp()->BeginWaitCursor();
}

void EnginePageNotifications::EndWaitCursor() {
    DrawBar();
    AfxGetApp()->EndWaitCursor();
}

void EnginePageNotifications::OpenFolder(const std::string& path) {
    DrawBar();
    ShellOpen(path);
}

// The question waits for its answer inside the run, whose window takes no other input
// meanwhile: the box disables the sheet that owns it.
bool EnginePageNotifications::StopRequested() {
    if (m_bStopping) return true;
    if (!m_pump.TakeStopRequest() || !m_szStopQuestion) return false;
    // Input still waiting would otherwise reach the page through the box's own loop.
    m_pump.Pump();
    m_pump.TakeStopRequest();
    m_bStopping = Show(m_szStopQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES;
    return m_bStopping;
}

bool EnginePageNotifications::UpdateData() {
    DrawBar();
    return m_page.UpdateData(true);
}
