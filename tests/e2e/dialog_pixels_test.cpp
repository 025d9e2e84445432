// What the pages place in pixels themselves, at the scalings people run: each progress bar
// inside its "操作区" group, below its label and clear of its button. Pictures of every page
// at each DPI are kept beside the other screenshots.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dialog_template.h"
#include "driver/screen_dpi.h"
#include "driver/screenshot.h"
#include "driver/window.h"
#include "quillet_test.h"
#include "res/resource.h"

namespace e2e {
namespace {

RECT ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

HWND ChildTitled(HWND page, const std::wstring& title) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (TextOf(child) == title) return child;
    }
    return nullptr;
}

HWND ChildOfClass(HWND page, const wchar_t* kind) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiW(ClassOf(child).c_str(), kind) == 0) return child;
    }
    return nullptr;
}

class DialogPixelsTest : public QuilletTest, public ::testing::WithParamInterface<DWORD> {
  protected:
    void SetUp() override {
        QuilletTest::SetUp();
        if (IsSkipped()) return;
        m_dpi = std::make_unique<ScreenDpi>(GetParam());
        ASSERT_TRUE(m_dpi->ok());
        ASSERT_TRUE(Start());
    }
    void TearDown() override {
        QuilletTest::TearDown();
        m_dpi.reset();
    }
    std::wstring Picture(const wchar_t* page) const {
        return ScreenshotPath(L"dpi" + std::to_wstring(GetParam()) + L"-" + page + L".bmp");
    }

    std::unique_ptr<ScreenDpi> m_dpi;
};

TEST_P(DialogPixelsTest, EachProgressBarLiesInItsGroupBelowItsLabelAndClearOfItsButton) {
    const struct {
        int tab, page, run;
        const wchar_t* picture;
    } pages[] = {{0, IDD_SPLIT_PAGE, IDC_SPLIT_RUN, L"split"},
                 {1, IDD_MERGE_PAGE, IDC_MERGE_RUN, L"merge"}};
    for (const auto& p : pages) {
        SCOPED_TRACE(ToUtf8(p.picture));
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), p.tab, kPatienceMs));
        HWND page = CurrentPage(m_sheet);
        EXPECT_TRUE(SaveWindowPicture(m_sheet, Picture(p.picture)));
        // The scaling reached the program: its font grew with the DPI.
        const DialogUnits units = MeasureUnits(page, QuilletExe(), p.page);
        EXPECT_GE(units.y * 96, static_cast<int>(11 * GetParam())) << units.y;

        HWND bar = ChildOfClass(page, L"msctls_progress32");
        HWND group = ChildTitled(page, L"操作区");
        HWND label = ChildTitled(page, L"进度指示:");
        ASSERT_TRUE(bar && group && label);
        const RECT b = ScreenRect(bar), g = ScreenRect(group), l = ScreenRect(label);
        const RECT button = ScreenRect(Control(page, p.run));
        EXPECT_TRUE(g.left < b.left && b.right < g.right && g.top < b.top && b.bottom < g.bottom)
            << "the bar leaves its group";
        EXPECT_GE(b.top, l.bottom) << "the bar covers its label";
        RECT overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &b, &button)) << "the bar covers the button";
    }
    for (int tab : {2, 3}) {
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), tab, kPatienceMs));
        EXPECT_TRUE(SaveWindowPicture(m_sheet, Picture(tab == 2 ? L"rename" : L"about")));
    }
}

INSTANTIATE_TEST_SUITE_P(Scalings, DialogPixelsTest, ::testing::Values(96, 120, 144, 192));

}  // namespace
}  // namespace e2e
