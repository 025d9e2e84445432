// The program's sheet: its four pages in order and no buttons.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "app/my_property_sheet.h"
#include "res/resource.h"

namespace {

std::string TabLabel(HWND tabs, int index) {
    char label[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = sizeof(label);
    ::SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return label;
}

TEST(MainSheet, ShowsTheFourPagesInOrderAndNoButtons) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    CMyPropertySheet sheet(IDS_PROPSHT_CAPTION);
    EXPECT_EQ(sheet.GetTitle(), "Property Sheet");
    ASSERT_TRUE(sheet.Create(nullptr)) << "the tests need a display";

    HWND tabs = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
    ASSERT_EQ(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 4);
    EXPECT_EQ(TabLabel(tabs, 0), "文件分割");
    EXPECT_EQ(TabLabel(tabs, 1), "文件合并");
    EXPECT_EQ(TabLabel(tabs, 2), "批量重命名");
    EXPECT_EQ(TabLabel(tabs, 3), "关于");
    EXPECT_EQ(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 0);

    for (int id : {12321, IDHELP, IDOK, IDCANCEL}) {
        HWND button = sheet.GetDlgItem(id).m_hWnd;
        EXPECT_TRUE(button == nullptr || !::IsWindowVisible(button)) << "button " << id;
    }

    // A window of its own on the taskbar and in Alt+Tab, with no help button that leads nowhere.
    EXPECT_TRUE(sheet.GetStyle() & WS_MINIMIZEBOX);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(sheet.m_hWnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(exStyle & WS_EX_CONTEXTHELP);
    EXPECT_FALSE(sheet.GetStyle() & DS_CONTEXTHELP);
    const struct {
        WPARAM kind;
        int width;
    } icons[] = {{ICON_SMALL, ::GetSystemMetrics(SM_CXSMICON)},
                 {ICON_BIG, ::GetSystemMetrics(SM_CXICON)}};
    for (const auto& icon : icons) {
        HICON shown = reinterpret_cast<HICON>(sheet.SendMessage(WM_GETICON, icon.kind));
        ICONINFO info = {};
        ASSERT_TRUE(shown && ::GetIconInfo(shown, &info)) << "icon kind " << icon.kind;
        BITMAP colour = {};
        ::GetObjectW(info.hbmColor, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, icon.width) << "icon kind " << icon.kind;
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
    }
    sheet.DestroyWindow();
}

}  // namespace
