// The about tab's five links as a person meets them: where they are drawn and in which colours,
// which pixels open them, the pointer over them, and the last link's page.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "about/about_links.h"
#include "dialog_template.h"
#include "driver/screen_dpi.h"
#include "driver/screenshot.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "quillet_test.h"
#include "res/resource.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kAboutTab = 3;
constexpr DWORD kQuietMs = 1500;  // the shell starts the recorder in a process of its own
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

std::wstring Address(int link) {
    return FromCodePage(about_links::kLinks[link].address, 936);
}

// Smoothed glyph edges mix the two colours: full blue, equal red and green.
bool IsBlueOverWhite(COLORREF c) {
    return GetBValue(c) == 255 && GetRValue(c) == GetGValue(c);
}

class ScreenPixels {
  public:
    explicit ScreenPixels(HWND page) : m_dc(GetDC(nullptr)) { ClientToScreen(page, &m_origin); }
    ~ScreenPixels() { ReleaseDC(nullptr, m_dc); }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, m_origin.x + x, m_origin.y + y); }

  private:
    HDC m_dc;
    POINT m_origin{0, 0};
};

// Where link i was drawn, read from the screen whatever font drew it: its underline, the
// lowest long run of pure blue below the link's top, spans the text cell three rows (at the
// original metrics) above.
RECT DrawnRect(HWND page, int link, const DialogUnits& units) {
    const ScreenPixels screen(page);
    const int left = units.X(about_links::kLeft), top = units.Y(about_links::kLinks[link].y);
    const int below = link + 1 < about_links::kCount ? units.Y(about_links::kLinks[link + 1].y)
                                                     : top + units.Y(60);
    RECT drawn{left, top, left, top};
    for (int y = top; y < below; ++y) {
        int x = left;
        while (screen.At(x, y) == kBlue) ++x;
        if (x - left >= 20) drawn = {left, top, x, y - units.Y(3)};
    }
    return drawn;
}

class AboutPageTest : public QuilletTest {
  protected:
    void SetUp() override {
        QuilletTest::SetUp();
        if (IsSkipped()) return;
        if (Dpi()) {
            m_dpi = std::make_unique<ScreenDpi>(Dpi());
            ASSERT_TRUE(m_dpi->ok());
        }
        ASSERT_TRUE(Start());
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), kAboutTab, kPatienceMs));
        m_page = CurrentPage(m_sheet);
        ASSERT_NE(m_page, nullptr);
        SetForegroundWindow(m_sheet);
        // The rectangles exist once the page has painted.
        RedrawWindow(m_page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        Sleep(300);
        m_units = MeasureUnits(m_page, QuilletExe(), IDD_ABOUT_PAGE);
        for (int i = 0; i < about_links::kCount; ++i) {
            m_rects.push_back(DrawnRect(m_page, i, m_units));
        }
    }
    void TearDown() override {
        QuilletTest::TearDown();
        m_dpi.reset();
    }
    // The DPI to start the program at; 0 leaves the screen's.
    virtual DWORD Dpi() const { return 0; }

    void ClickAt(int x, int y) {
        const LPARAM at = MAKELPARAM(x, y);
        PostMessageW(m_page, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(m_page, WM_LBUTTONUP, 0, at);
    }
    // A real pointer move, so the program gets the system's own cursor messages.
    void MovePointerTo(int x, int y) {
        POINT at{x, y};
        ClientToScreen(m_page, &at);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &input, sizeof input);
        Sleep(300);
    }
    // Wine cannot read another process's cursor (GetIconInfo fails with 1402), so cursors
    // are told apart by their handles only.
    HCURSOR CursorAt(int x, int y) {
        MovePointerTo(x, y);
        CURSORINFO info{};
        info.cbSize = sizeof info;
        return GetCursorInfo(&info) ? info.hCursor : nullptr;
    }

    HWND m_page = nullptr;
    DialogUnits m_units;
    std::vector<RECT> m_rects;
    std::unique_ptr<ScreenDpi> m_dpi;
};

TEST_F(AboutPageTest, EveryLinkIsBlueOnWhiteWithAnUnderlineThreeRowsBelowItsCell) {
    EXPECT_TRUE(SaveWindowPicture(m_sheet, ScreenshotPath(L"about-page.bmp")));
    ScreenPixels screen(m_page);
    for (int i = 0; i < about_links::kCount; ++i) {
        SCOPED_TRACE("link " + std::to_string(i + 1));
        const RECT& r = m_rects[i];
        ASSERT_GT(r.right - r.left, 10);
        int blue = 0, white = 0, other = 0;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = screen.At(x, y);
                if (c == kBlue)
                    ++blue;
                else if (c == kWhite)
                    ++white;
                else if (!IsBlueOverWhite(c))
                    ++other;
            }
        }
        EXPECT_GT(blue, 0) << "no blue text";
        EXPECT_GT(white, blue) << "the cell is not white";
        EXPECT_EQ(other, 0) << "colours in the cell that blue text on white cannot give";

        const int line = r.bottom + m_units.Y(3);
        for (int x = r.left; x < r.right; ++x) {
            ASSERT_EQ(screen.At(x, line), kBlue) << "underline at x " << x;
            for (int gap = r.bottom; gap < line; ++gap) {
                ASSERT_NE(screen.At(x, gap), kBlue) << "blue between cell and line at " << x;
            }
            ASSERT_NE(screen.At(x, line + 1), kBlue) << "the line is thicker than a pixel";
        }
        EXPECT_NE(screen.At(r.right, line), kBlue) << "the line runs past the text";
    }
}

TEST_F(AboutPageTest, EdgesUnderlinesAndGapsOpenNothingOnePixelInsideOpensTheLink) {
    for (const RECT& r : m_rects) {
        ClickAt(r.left, r.top + 1);
        ClickAt(r.left + 1, r.top);
        ClickAt(r.right, r.top + 1);
        ClickAt(r.left + 1, r.bottom);
        ClickAt(r.left + 1, r.bottom + 3);  // the underline
    }
    ClickAt(m_units.X(about_links::kLeft) + 1, (m_rects[1].bottom + m_rects[2].top) / 2);
    Sleep(kQuietMs);
    EXPECT_THAT(Recorder().Entries(), IsEmpty());

    std::vector<std::wstring> expected;
    for (int i = 0; i < about_links::kCount; ++i) {
        const RECT& r = m_rects[i];
        // Alternate corners, so both the near and the far edges are one pixel inside.
        if (i % 2 == 0)
            ClickAt(r.left + 1, r.top + 1);
        else
            ClickAt(r.right - 1, r.bottom - 1);
        expected.push_back(Address(i));
        ASSERT_TRUE(Recorder().WaitForEntries(expected.size(), kPatienceMs)) << "link " << i + 1;
    }
    Sleep(kQuietMs);
    EXPECT_EQ(Recorder().Entries(), expected);
}

TEST_F(AboutPageTest, PointerOverEveryLinkIsOneCursorOfItsOwnAndElsewhereThePagesOwn) {
    const int gapY = (m_rects[1].bottom + m_rects[2].top) / 2;
    const int left = m_units.X(about_links::kLeft);
    const HCURSOR page = CursorAt(left + 5, gapY);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(CursorAt(left + 40, m_units.Y(25)), page) << "over the version line";

    const HCURSOR hand = CursorAt(m_rects[0].left + 5, m_rects[0].top + 3);
    EXPECT_NE(hand, page);
    for (int i = 1; i < about_links::kCount; ++i) {
        const RECT& r = m_rects[i];
        EXPECT_EQ(CursorAt(r.right - 2, r.bottom - 2), hand) << "link " << i + 1;
        EXPECT_EQ(CursorAt(r.left + 2, r.bottom + m_units.Y(3)), page)
            << "underline of link " << i + 1;
    }
    EXPECT_EQ(CursorAt(left + 5, gapY), page);
}

TEST_F(AboutPageTest, TabReachesTheLinksTheArrowsWalkThemAndEnterOpensTheOneInFocus) {
    HWND focus = nullptr;
    for (int tab = 0; tab < 4 && GetParent(focus) != m_page; ++tab) {
        HWND target = FocusedWindow(m_app.thread_id());
        PostMessageW(target ? target : TabControlOf(m_sheet), WM_KEYDOWN, VK_TAB, 0x000F0001);
        WaitUntil([&] { return FocusedWindow(m_app.thread_id()) != target; }, 2000, 50);
        focus = FocusedWindow(m_app.thread_id());
    }
    ASSERT_EQ(GetParent(focus), m_page) << "Tab never reaches the about page";
    for (UINT key : {VK_UP, VK_DOWN, VK_RIGHT, VK_DOWN, VK_LEFT}) {
        PostMessageW(focus, WM_KEYDOWN, key, 1);
    }
    PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ASSERT_TRUE(Recorder().WaitForEntries(1, kPatienceMs));
    PostMessageW(focus, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ASSERT_TRUE(Recorder().WaitForEntries(2, kPatienceMs));
    Sleep(kQuietMs);
    EXPECT_THAT(Recorder().Entries(), ElementsAre(Address(2), Address(2)));
    EXPECT_EQ(TextOf(focus), FromCodePage(about_links::kLinks[2].text, 936))
        << "a screen reader would not name the link in focus";
    EXPECT_TRUE(IsWindow(m_sheet)) << "Enter closed the program";
}

TEST_F(AboutPageTest, LastLinkOpensTheSamePageAsClosingTheProgram) {
    const RECT& r = m_rects[4];
    ClickAt(r.left + 1, r.top + 1);
    ASSERT_TRUE(Recorder().WaitForEntries(1, kPatienceMs));
    ASSERT_TRUE(CloseAndWaitExit());
    ASSERT_TRUE(Recorder().WaitForEntries(2, kPatienceMs)) << "no exit page";
    const std::vector<std::wstring> opened = Recorder().Entries();
    EXPECT_EQ(opened[0], opened[1]);
    EXPECT_THAT(opened, ElementsAre(Address(4), Address(4)));
}

class AboutPageAtDpiTest : public AboutPageTest, public ::testing::WithParamInterface<DWORD> {
  protected:
    DWORD Dpi() const override { return GetParam(); }
};

// Drawn, hit and underlined by the same measure at every scaling.
TEST_P(AboutPageAtDpiTest, EveryLinkOpensWhereItIsDrawn) {
    EXPECT_TRUE(SaveWindowPicture(
        m_sheet, ScreenshotPath(L"dpi" + std::to_wstring(GetParam()) + L"-about-links.bmp")));
    std::vector<std::wstring> expected;
    for (int i = 0; i < about_links::kCount; ++i) {
        const RECT& r = m_rects[i];
        ASSERT_GT(r.right - r.left, m_units.X(60)) << "link " << i + 1 << " is not drawn there";
        ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        expected.push_back(Address(i));
        ASSERT_TRUE(Recorder().WaitForEntries(expected.size(), kPatienceMs)) << "link " << i + 1;
    }
    EXPECT_EQ(Recorder().Entries(), expected);
}

INSTANTIATE_TEST_SUITE_P(Scalings, AboutPageAtDpiTest, ::testing::Values(96, 144, 192));

}  // namespace
}  // namespace e2e
