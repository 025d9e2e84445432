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
    sheet.DestroyWindow();
}

}  // namespace
