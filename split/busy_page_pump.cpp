#include "split/busy_page_pump.h"

#include "app/framework/win_app.h"

namespace {

// Edit carets blink by this system timer.
constexpr UINT kSystemTimer = 0x0118;
// A queue that refills itself (a window that never validates) must not hold the run.
constexpr int kMostMessagesPerRound = 200;

bool IsInSheet(HWND window, HWND sheet) {
    return window && sheet && (window == sheet || ::IsChild(sheet, window));
}

// The system sets the arrow again as the mouse moves over the window.
void RestoreWaitCursor() {
    CWinApp* app = AfxGetApp();
    if (!app || app->GetWaitCursorCount() <= 0) return;
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    if (::GetCursor() != wait) ::SetCursor(wait);
}

DWORD SystemTicks() {
    return ::GetTickCount();
}

}  // namespace

bool PassesWhileBusy(const MSG& msg, HWND sheet) {
    if (!IsInSheet(msg.hwnd, sheet)) return true;
    switch (msg.message) {
        case WM_PAINT:
        case WM_NCPAINT:
        case WM_TIMER:
        case kSystemTimer:
        case WM_NCMOUSEMOVE:
            return true;
        case WM_NCLBUTTONDOWN:
            // The title bar only: its close box and menu would end the sheet mid-run.
            return msg.hwnd == sheet && msg.wParam == HTCAPTION;
        default:
            return false;
    }
}

bool AsksToStop(const MSG& msg, HWND sheet) {
    if (!IsInSheet(msg.hwnd, sheet)) return false;
    switch (msg.message) {
        case WM_KEYDOWN:
            return msg.wParam == VK_ESCAPE;
        case WM_NCLBUTTONDOWN:
            return msg.hwnd == sheet && msg.wParam == HTCLOSE;
        case WM_SYSCOMMAND:
            return msg.hwnd == sheet && (msg.wParam & 0xFFF0) == SC_CLOSE;
        case WM_SYSKEYDOWN:
            return msg.wParam == VK_F4;
        default:
            return false;
    }
}

BusyPagePump::BusyPagePump(HWND page, Clock clock)
    : m_sheet(page ? ::GetAncestor(page, GA_ROOT) : nullptr),
      m_clock(clock ? clock : SystemTicks),
      m_lastRound(m_clock()) {}

// Unsigned, so the tick count's wrap after 49.7 days changes nothing.
bool BusyPagePump::IsDue() const {
    return m_clock() - m_lastRound >= kIntervalMs;
}

void BusyPagePump::KeepAlive() {
    if (IsDue()) Pump();
}

void BusyPagePump::Pump() {
    MSG msg;
    for (int i = 0; i < kMostMessagesPerRound && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
         ++i) {
        if (msg.message == WM_QUIT) {
            // Not ours to take: whoever runs the outer loop ends on it after the run.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (AsksToStop(msg, m_sheet)) m_bStopRequested = true;
        if (!PassesWhileBusy(msg, m_sheet)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    RestoreWaitCursor();
    m_lastRound = m_clock();
}

bool BusyPagePump::TakeStopRequest() {
    const bool requested = m_bStopRequested;
    m_bStopRequested = false;
    return requested;
}
