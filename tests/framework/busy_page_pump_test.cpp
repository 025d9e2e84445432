// What reaches the sheet while a split or merge holds the window's thread: painting and a
// drag of the title bar, nothing that could start other work or end the sheet.
#include "split/busy_page_pump.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

int g_foreignMessages = 0;
int g_sheetCommands = 0;
DWORD g_now = 0;  // the pump's clock in these tests

DWORD TestClock() {
    return g_now;
}

LRESULT CALLBACK CountingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_APP) ++g_foreignMessages;
    if (msg == WM_COMMAND) ++g_sheetCommands;
    return ::DefWindowProcA(hWnd, msg, wParam, lParam);
}

class BusyPagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "BusyPagePumpTest";
        ::RegisterClassA(&windowClass);
        m_sheet = Create(WS_POPUP | WS_CAPTION | WS_SYSMENU, nullptr);
        m_page = Create(WS_CHILD, m_sheet);
        m_button = ::CreateWindowA("BUTTON", "Split", WS_CHILD | BS_PUSHBUTTON, 0, 0, 40, 20,
                                   m_page, nullptr, nullptr, nullptr);
        m_foreign = Create(WS_POPUP, nullptr);
        ASSERT_TRUE(m_sheet && m_page && m_button && m_foreign) << "the tests need a display";
        g_foreignMessages = g_sheetCommands = 0;
    }
    void TearDown() override {
        ::DestroyWindow(m_sheet);
        ::DestroyWindow(m_foreign);
    }

    static HWND Create(DWORD style, HWND parent) {
        return ::CreateWindowA("BusyPagePumpTest", "", style, 0, 0, 200, 100, parent, nullptr,
                               ::GetModuleHandleA(nullptr), nullptr);
    }
    bool Passes(HWND hWnd, UINT message, WPARAM wParam = 0) const {
        MSG msg = {};
        msg.hwnd = hWnd;
        msg.message = message;
        msg.wParam = wParam;
        return PassesWhileBusy(msg, m_sheet);
    }

    HWND m_sheet = nullptr;
    HWND m_page = nullptr;
    HWND m_button = nullptr;
    HWND m_foreign = nullptr;
};

TEST_F(BusyPagePumpTest, TheSheetStillPaintsAndItsTitleBarCanBeDragged) {
    for (HWND hWnd : {m_sheet, m_page, m_button}) {
        EXPECT_TRUE(Passes(hWnd, WM_PAINT));
        EXPECT_TRUE(Passes(hWnd, WM_TIMER));
        EXPECT_TRUE(Passes(hWnd, WM_NCMOUSEMOVE));
    }
    EXPECT_TRUE(Passes(m_sheet, WM_NCLBUTTONDOWN, HTCAPTION));
}

TEST_F(BusyPagePumpTest, NoInputCommandOrCloseReachesTheSheet) {
    const UINT kRefused[] = {WM_KEYDOWN,   WM_CHAR,        WM_SYSKEYDOWN, WM_LBUTTONDOWN,
                             WM_LBUTTONUP, WM_RBUTTONDOWN, WM_MOUSEWHEEL, WM_NCRBUTTONDOWN,
                             WM_COMMAND,   WM_SYSCOMMAND,  WM_CLOSE,      BM_CLICK};
    for (HWND hWnd : {m_sheet, m_page, m_button}) {
        for (UINT message : kRefused) {
            EXPECT_FALSE(Passes(hWnd, message)) << "message " << message << " to " << hWnd;
        }
    }
    // The close box and the window menu would end the sheet under the running work.
    for (WPARAM hit : {HTCLOSE, HTSYSMENU, HTMINBUTTON, HTBORDER, HTCLIENT}) {
        EXPECT_FALSE(Passes(m_sheet, WM_NCLBUTTONDOWN, hit)) << "hit " << hit;
    }
    EXPECT_FALSE(Passes(m_sheet, WM_NCLBUTTONDBLCLK, HTCAPTION));
}

TEST_F(BusyPagePumpTest, OtherWindowsAndThreadMessagesPassUnfiltered) {
    EXPECT_TRUE(Passes(m_foreign, WM_KEYDOWN));
    EXPECT_TRUE(Passes(m_foreign, WM_APP));
    EXPECT_TRUE(Passes(nullptr, WM_APP));
}

TEST_F(BusyPagePumpTest, ARoundDropsTheSheetsInputDispatchesTheRestAndEmptiesTheQueue) {
    ::PostMessageA(m_button, BM_CLICK, 0, 0);
    ::PostMessageA(m_sheet, WM_COMMAND, 1, 0);
    ::PostMessageA(m_foreign, WM_APP, 0, 0);
    BusyPagePump(m_page).Pump();
    EXPECT_EQ(g_sheetCommands, 0);
    EXPECT_EQ(g_foreignMessages, 1);
    MSG left;
    EXPECT_FALSE(::PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE | PM_QS_POSTMESSAGE));
}

TEST_F(BusyPagePumpTest, AQuitSeenDuringARunIsLeftForTheOuterLoop) {
    ::PostQuitMessage(3);
    BusyPagePump(m_page).Pump();
    MSG quit;
    ASSERT_TRUE(::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 3u);
}

TEST_F(BusyPagePumpTest, KeepingAliveWaitsForTheIntervalBetweenRoundsAcrossTheClocksWrap) {
    // Started just before the tick count wraps, so the first interval spans zero.
    g_now = 0xFFFFFFF0u;
    BusyPagePump pump(m_page, TestClock);
    for (int round = 1; round <= 2; ++round) {
        ::PostMessageA(m_foreign, WM_APP, 0, 0);
        g_now += BusyPagePump::kIntervalMs - 1;
        pump.KeepAlive();
        EXPECT_EQ(g_foreignMessages, round - 1) << "round " << round << " came early";
        g_now += 1;
        pump.KeepAlive();
        EXPECT_EQ(g_foreignMessages, round) << "round " << round << " did not come";
    }
}

}  // namespace
