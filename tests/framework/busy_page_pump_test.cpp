// What reaches the sheet while a split or merge holds the window's thread: painting and a
// drag of the title bar, nothing that could start other work or end the sheet; and what
// the page's bar takes and shows meanwhile.
#include "split/busy_page_pump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <numeric>
#include <stdexcept>
#include <vector>

#include "framework/exchange_dialog.h"
#include "framework/message_box_recorder.h"
#include "split/engine_page_notifications.h"

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

// Every position the bar is sent, and the position it shows at each of its paints.
struct BarRecord {
    std::vector<int> sent;
    std::vector<int> drawn;
    WNDPROC original = nullptr;
};
BarRecord g_bar;

LRESULT CALLBACK RecordingBarProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == PBM_SETPOS) g_bar.sent.push_back(static_cast<int>(wParam));
    if (msg == WM_PAINT) {
        g_bar.drawn.push_back(
            static_cast<int>(::CallWindowProcA(g_bar.original, hWnd, PBM_GETPOS, 0, 0)));
    }
    return ::CallWindowProcA(g_bar.original, hWnd, msg, wParam, lParam);
}

class PageBarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&classes);
        ASSERT_TRUE(m_page.Open());
        ASSERT_TRUE(m_bar.Create(WS_CHILD | WS_VISIBLE, RECT{10, 150, 310, 170}, m_page.m_hWnd, 0));
        g_bar = {};
        g_bar.original = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            m_bar.m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingBarProc)));
        // The first display's paints belong to no run.
        ::RedrawWindow(m_page.m_hWnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        g_bar.drawn.clear();
    }

    static EnginePageNotifications::MessageBoxKind Kind() {
        return EnginePageNotifications::MessageBoxKind::kPage;
    }

    ExchangeDialog m_page;
    CProgressCtrl m_bar;
};

TEST_F(PageBarTest, TakesEveryPositionAsItComesButDrawsOnlyOnceARoundAndAtTheEnd) {
    // A 5,000,000-byte split into 2 MB pieces: 489 positions over a range of 488. The
    // first piece's close is slow, as when the disk stalls, so a round falls due there.
    {
        EnginePageNotifications notify(m_page, m_bar, Kind());
        notify.SetProgressRange(1, 488);
        for (uint64_t pos = 1; pos <= 489; ++pos) {
            notify.SetProgressPos(pos);
            if (pos == 205) ::Sleep(2 * BusyPagePump::kIntervalMs);
        }
        EXPECT_THAT(g_bar.drawn, ::testing::Contains(206)) << "no round drew the bar";
    }
    std::vector<int> every(489);
    std::iota(every.begin(), every.end(), 1);
    EXPECT_EQ(g_bar.sent, every);
    // Only a stalled machine brings more rounds than the one after the slow block.
    EXPECT_LT(g_bar.drawn.size(), 10u) << "the bar drew itself for positions between rounds";
    ASSERT_FALSE(g_bar.drawn.empty());
    EXPECT_EQ(g_bar.drawn.back(), 488) << "the end shows a full bar";
    EXPECT_TRUE(::IsWindowVisible(m_bar.m_hWnd)) << "the bar stays hidden from its page";
}

TEST_F(PageBarTest, ShowsTheNewestPositionBeforeAMessageAndWhenAFailureEndsTheRun) {
    MessageBoxRecorder boxes;
    std::vector<int> drawnAtBox;
    boxes.onShow = [&] { drawnAtBox.push_back(g_bar.drawn.empty() ? 0 : g_bar.drawn.back()); };
    try {
        EnginePageNotifications notify(m_page, m_bar, Kind());
        notify.SetProgressRange(1, 100);
        for (uint64_t pos = 1; pos <= 40; ++pos) notify.SetProgressPos(pos);
        notify.ShowMessage("box");
        for (uint64_t pos = 41; pos <= 70; ++pos) notify.SetProgressPos(pos);
        throw std::runtime_error("a read failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(drawnAtBox, std::vector<int>{40});
    ASSERT_FALSE(g_bar.drawn.empty());
    EXPECT_EQ(g_bar.drawn.back(), 70);
    EXPECT_EQ(g_bar.sent.size(), 70u);
}

}  // namespace
