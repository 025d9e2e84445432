// Moving between the pages of a sheet: leaving saves and may refuse, coming back loads,
// the first showing and closing run no exchange.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "app/framework/data_exchange.h"
#include "app/framework/property_page.h"
#include "app/framework/property_sheet.h"
#include "framework/dialog_template.h"
#include "framework/message_box_recorder.h"
#include "platform/win32/wide.h"

namespace {

constexpr int kNumberEdit = 100;

std::unique_ptr<DialogTemplate> PageTemplate(const char* caption) {
    auto t = std::make_unique<DialogTemplate>(WS_CHILD | WS_DISABLED | WS_CAPTION | WS_SYSMENU,
                                              caption, 200, 100);
    t->AddEdit(kNumberEdit, 10, 10, 80, 14);
    return t;
}

class NumberPage : public CPropertyPage {
  public:
    explicit NumberPage(std::unique_ptr<DialogTemplate> t)
        : CPropertyPage(t->Get()), m_template(std::move(t)) {}

    std::string Text() const { return wide::ToUtf8(GetDlgItem(kNumberEdit).GetWindowText()); }
    void Type(const std::string& text) const {
        GetDlgItem(kNumberEdit).SetWindowText(wide::FromUtf8(text));
    }

    int32_t m_nNumber = 2;
    int m_nLoads = 0;
    int m_nSaves = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        ++(pDX->m_bSaveAndValidate ? m_nSaves : m_nLoads);
        DDX_Text(pDX, kNumberEdit, m_nNumber);
    }

  private:
    std::unique_ptr<DialogTemplate> m_template;
};

class PropertySheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES};
        ::InitCommonControlsEx(&classes);
        sheet.AddPage(&first);
        sheet.AddPage(&second);
        sheet.SetTitle("sheet");
        ASSERT_TRUE(sheet.Create(nullptr)) << "the tests need a display";
    }
    void TearDown() override { sheet.DestroyWindow(); }

    HWND CurrentPage() const {
        return reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETCURRENTPAGEHWND));
    }
    void SelectPage(int index) const { sheet.SendMessage(PSM_SETCURSEL, index, 0); }

    MessageBoxRecorder recorder;
    NumberPage first{PageTemplate("first")};
    NumberPage second{PageTemplate("second")};
    CPropertySheet sheet{0u};
};

TEST_F(PropertySheetTest, FirstShowingRunsOnlyTheInitialLoad) {
    EXPECT_EQ(CurrentPage(), first.m_hWnd);
    EXPECT_EQ(first.m_nLoads, 1);
    EXPECT_EQ(first.m_nSaves, 0);
    EXPECT_EQ(first.Text(), "2");
}

TEST_F(PropertySheetTest, LeavingWithARefusedValueKeepsThePage) {
    first.Type("abc");
    SelectPage(1);
    EXPECT_EQ(CurrentPage(), first.m_hWnd);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "请键入一个整数。");
    EXPECT_EQ(::GetFocus(), first.GetDlgItem(kNumberEdit).m_hWnd);

    first.Type("12");
    SelectPage(1);
    EXPECT_EQ(CurrentPage(), second.m_hWnd);
    EXPECT_EQ(first.m_nNumber, 12);
}

TEST_F(PropertySheetTest, ComingBackLoadsTheStoredFields) {
    SelectPage(1);
    EXPECT_EQ(second.m_nLoads, 1);  // its first showing: the initial load only
    first.m_nNumber = 44;
    SelectPage(0);
    EXPECT_EQ(CurrentPage(), first.m_hWnd);
    EXPECT_EQ(first.m_nLoads, 2);
    EXPECT_EQ(first.Text(), "44");
    SelectPage(1);
    EXPECT_EQ(second.m_nLoads, 2);
}

TEST_F(PropertySheetTest, ClosingWithTheCloseBoxRunsNoExchange) {
    first.Type("abc");
    sheet.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(recorder.boxes.empty());
    EXPECT_EQ(first.m_nSaves, 0);
    EXPECT_EQ(first.m_nNumber, 2);
}

TEST_F(PropertySheetTest, TabsTakeTheTemplateCaptionsInOrder) {
    HWND tabs = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETTABCONTROL));
    ASSERT_EQ(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
    char label[32];
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = label;
    item.cchTextMax = sizeof(label);
    ::SendMessageA(tabs, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(label, "second");
    char title[32];
    ::GetWindowTextA(sheet.m_hWnd, title, sizeof(title));
    EXPECT_STREQ(title, "sheet");
}

// Windows suggests where the sheet goes at the new DPI; Wine never sends the message.
TEST_F(PropertySheetTest, ADpiChangeMovesTheSheetToTheSuggestedRectangle) {
    RECT before{};
    ::GetWindowRect(sheet.m_hWnd, &before);
    RECT suggested = {before.left + 30, before.top + 20, before.right + 130,
                      before.bottom + 90};
    constexpr UINT kDpiChanged = 0x02E0;
    sheet.SendMessage(kDpiChanged, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    RECT after{};
    ::GetWindowRect(sheet.m_hWnd, &after);
    EXPECT_TRUE(::EqualRect(&after, &suggested))
        << after.left << "," << after.top << " " << after.right << "," << after.bottom;
    EXPECT_EQ(CurrentPage(), first.m_hWnd);
}

}  // namespace
