// Start-up and shutdown as a person sees them: one sheet, its tabs, and the exit page.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "dialog_template.h"
#include "driver/screenshot.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "quillet_test.h"
#include "res/resource.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;

constexpr int kApplyButton = 12321;
constexpr int kHelpButton = 9;

class StartupTest : public QuilletTest {};

TEST_F(StartupTest, ShowsOnlyTheTitledSheetWithFourTabsAndTheSplitPageInFront) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(TopLevelWindows(m_app.pid(), true), std::vector<HWND>{m_sheet});
    EXPECT_EQ(TextOf(m_sheet), L"Quillet V1.6(免费版)");
    EXPECT_THAT(TabLabels(m_sheet, m_app.handle()),
                ElementsAre(L"文件分割", L"文件合并", L"批量重命名", L"关于"));
    EXPECT_EQ(CurrentTab(m_sheet), 0);
    EXPECT_EQ(ControlText(CurrentPage(m_sheet), IDC_SPLIT_RUN), L"分 割");
}

TEST_F(StartupTest, HidesTheFourSheetButtons) {
    ASSERT_TRUE(Start());
    for (int id : {IDOK, IDCANCEL, kApplyButton, kHelpButton}) {
        EXPECT_FALSE(IsControlShown(m_sheet, id)) << "button " << id << " is visible";
    }
}

TEST_F(StartupTest, EveryTabCanBeOpenedAndPhotographed) {
    ASSERT_TRUE(Start());
    const wchar_t* const names[] = {L"1-split.bmp", L"2-merge.bmp", L"3-rename.bmp",
                                    L"4-about.bmp"};
    for (int tab = 0; tab < 4; ++tab) {
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), tab, kPatienceMs)) << "tab " << tab;
        EXPECT_TRUE(SaveWindowPicture(m_sheet, ScreenshotPath(names[tab])))
            << "picture of tab " << tab;
    }
}

// The texts as the resource compiler stored them (UTF-16) are what every page must show,
// whatever the system's code page.
std::vector<std::pair<DWORD, std::wstring>> TemplateTexts(const DialogTemplate& t) {
    std::vector<std::pair<DWORD, std::wstring>> texts;
    for (const TemplateItem& item : t.items) {
        const bool ordinal = !item.title.empty() && item.title[0] == L'#';  // the icon
        if (!item.title.empty() && !ordinal) texts.emplace_back(item.id, item.title);
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

std::vector<std::pair<DWORD, std::wstring>> ShownTexts(HWND page) {
    std::vector<std::pair<DWORD, std::wstring>> texts;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring text = TextOf(child), kind = ClassOf(child);
        const bool edit = lstrcmpiW(kind.c_str(), L"Edit") == 0;
        const bool icon = lstrcmpiW(kind.c_str(), L"Static") == 0 &&
                          (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        RECT area{};
        GetWindowRect(child, &area);
        // The About page's link focus has no area: its text is only for screen readers.
        const bool shown = !IsRectEmpty(&area);
        if (!text.empty() && !edit && !icon && shown) {
            texts.emplace_back(static_cast<WORD>(GetDlgCtrlID(child)), text);
        }
    }
    std::sort(texts.begin(), texts.end());
    return texts;
}

TEST_F(StartupTest, EveryPageShowsTheTextsOfItsTemplate) {
    ASSERT_TRUE(Start());
    HMODULE exe = LoadLibraryExW(QuilletExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const int templates[] = {IDD_SPLIT_PAGE, IDD_MERGE_PAGE, IDD_RENAME_PAGE, IDD_ABOUT_PAGE};
    for (int tab = 0; tab < 4; ++tab) {
        SCOPED_TRACE(tab);
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), tab, kPatienceMs));
        const DialogTemplate t = ReadDialogTemplate(exe, templates[tab]);
        ASSERT_TRUE(t.found);
        EXPECT_EQ(ShownTexts(CurrentPage(m_sheet)), TemplateTexts(t));
    }
    FreeLibrary(exe);
}

// Enter in a field goes to the sheet's default button, which is hidden but was once the OK
// that ends the program.
TEST_F(StartupTest, EnterInAnyFieldOfAnyPageLeavesTheProgramRunning) {
    ASSERT_TRUE(Start());
    int fields = 0;
    for (int tab = 0; tab < 4; ++tab) {
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), tab, kPatienceMs)) << "tab " << tab;
        HWND page = CurrentPage(m_sheet);
        for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (lstrcmpiW(ClassOf(child).c_str(), L"Edit") != 0) continue;
            ++fields;
            const int id = GetDlgCtrlID(child);
            PostMessageW(child, WM_KEYDOWN, VK_RETURN, 0x001C0001);
            PostMessageW(child, WM_CHAR, L'\r', 0x001C0001);
            PostMessageW(child, WM_KEYUP, VK_RETURN, 0xC01C0001);
            Sleep(200);
            ASSERT_TRUE(IsWindow(m_sheet)) << "Enter in field " << id << " of tab " << tab;
        }
    }
    EXPECT_GE(fields, 10);
    Sleep(1000);
    EXPECT_TRUE(m_app.IsRunning());
    EXPECT_EQ(FindDialogOwnedBy(m_app.pid(), m_sheet), nullptr) << "a message came up";
    EXPECT_EQ(ExitPagesRecorded(), 0u);
}

TEST_F(StartupTest, ClosingTheSheetOpensTheExitPageOnceAndEndsTheProgram) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(CloseAndWaitExit()) << "the program still runs 20 s after its sheet was closed";
    ASSERT_TRUE(Recorder().WaitForEntries(1, kPatienceMs)) << "no exit page was opened";
    Sleep(1000);  // a second opening would come late, through a second browser start
    const std::vector<std::wstring> opened = Recorder().Entries();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].rfind(L"http", 0), 0u) << ToUtf8(opened[0]);
}

}  // namespace
}  // namespace e2e
