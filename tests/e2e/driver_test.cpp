// The driver checked against a sheet of our own, so that a failing test of the program points
// at the program and not at the way it is driven.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "driver/message_box.h"
#include "driver/pickers.h"
#include "driver/process.h"
#include "driver/screenshot.h"
#include "driver/sheet.h"
#include "driver/text.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "e2e_test_base.h"
#include "fixture/fixture_ids.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;

class DriverTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        if (IsSkipped()) return;
        m_sheet = StartAndFindSheet(m_app, WindowsPathFromUnix(E2E_FIXTURE_EXE));
        ASSERT_NE(m_sheet, nullptr);
        m_page = CurrentPage(m_sheet);
        ASSERT_NE(m_page, nullptr);
    }
    void TearDown() override {
        if (m_sheet && IsWindow(m_sheet)) CloseSheet(m_sheet);
        m_app.WaitExit(kPatienceMs);
    }

    // Clicks a fixture button and waits for the dialog it opens, owned by the sheet.
    HWND OpenDialog(int button) {
        EXPECT_TRUE(ClickControl(m_page, button));
        HWND dialog = WaitForDialogOwnedBy(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(dialog, nullptr) << "no dialog owned by the sheet after button " << button;
        return dialog;
    }
    std::wstring ResultAfterChange(const std::wstring& before) {
        std::wstring now;
        WaitUntil([&] { return (now = ControlText(m_page, IDC_FIX_RESULT)) != before; }, kPatienceMs);
        return now;
    }

    AppProcess m_app;
    HWND m_sheet = nullptr;
    HWND m_page = nullptr;
};

TEST_F(DriverTest, ReadsTheSheetAndSwitchesTabsBothWays) {
    EXPECT_EQ(TextOf(m_sheet), L"Driver fixture");
    EXPECT_THAT(TabLabels(m_sheet, m_app.handle()), ElementsAre(L"甲页", L"乙页"));
    EXPECT_EQ(CurrentTab(m_sheet), 0);
    EXPECT_EQ(TopLevelWindows(m_app.pid(), true), std::vector<HWND>{m_sheet});

    ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), 1, kPatienceMs)) << "a real click on tab 1";
    EXPECT_NE(Control(CurrentPage(m_sheet), IDC_FIX_BETA_EDIT), nullptr);

    SelectTab(m_sheet, 0);
    EXPECT_TRUE(WaitUntil([&] { return CurrentTab(m_sheet) == 0; }, kPatienceMs));
    EXPECT_EQ(CurrentPage(m_sheet), m_page);
}

TEST_F(DriverTest, ReadsAndChangesControlStates) {
    EXPECT_EQ(ControlText(m_page, IDC_FIX_EDIT), L"hello world");
    EXPECT_TRUE(IsControlChecked(m_page, IDC_FIX_CHECK));
    EXPECT_TRUE(IsControlShown(m_page, IDC_FIX_DISABLED));
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_FIX_DISABLED));
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_FIX_WARN));
    EXPECT_FALSE(IsControlShown(m_page, 9999));

    SetControlText(m_page, IDC_FIX_EDIT, L"改过的文字");
    EXPECT_EQ(ControlText(m_page, IDC_FIX_EDIT), L"改过的文字");
}

TEST_F(DriverTest, ReadsFocusAndSelectionOfAnotherProcess) {
    ASSERT_TRUE(ClickControl(m_page, IDC_FIX_SELECT));
    ASSERT_EQ(ResultAfterChange(L""), L"selected");
    EXPECT_EQ(FocusedWindow(m_app.thread_id()), Control(m_page, IDC_FIX_EDIT));
    const Selection selection = EditSelection(Control(m_page, IDC_FIX_EDIT));
    EXPECT_EQ(selection.start, 2);
    EXPECT_EQ(selection.end, 5);
}

TEST_F(DriverTest, TellsMessageBoxIconsButtonsAndOwnerApart) {
    HWND box = OpenDialog(IDC_FIX_WARN);
    MessageBoxInfo info = ReadMessageBox(box);
    EXPECT_EQ(info.owner, m_sheet);
    EXPECT_EQ(info.caption, L"fixture");
    EXPECT_EQ(info.text, L"注意：警告");
    EXPECT_STREQ(IconKindName(info.icon), "exclamation");
    EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    EXPECT_EQ(ResultAfterChange(L""), L"1");

    box = OpenDialog(IDC_FIX_STOP);
    info = ReadMessageBox(box);
    EXPECT_STREQ(IconKindName(info.icon), "stop");
    EXPECT_EQ(info.buttons, (std::vector<int>{IDYES, IDNO}));
    ASSERT_TRUE(AnswerMessageBox(box, IDNO));
    EXPECT_EQ(ResultAfterChange(L"1"), L"7");

    box = OpenDialog(IDC_FIX_PLAIN);
    info = ReadMessageBox(box);
    EXPECT_STREQ(IconKindName(info.icon), "none");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
}

TEST_F(DriverTest, FillsAndCancelsTheFilePicker) {
    const std::wstring folder = JoinPath(WorkFolder(), L"picker 文件夹");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring file = JoinPath(folder, L"样本.txt");
    HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);

    ASSERT_TRUE(ChooseFile(OpenDialog(IDC_FIX_PICK_FILE), file));
    EXPECT_EQ(ResultAfterChange(L""), file);

    ASSERT_TRUE(CancelDialog(OpenDialog(IDC_FIX_PICK_FILE)));
    EXPECT_EQ(ResultAfterChange(file), L"cancelled");
}

TEST_F(DriverTest, SelectsAnyFolderInTheFolderBrowser) {
    const std::wstring folder = JoinPath(WorkFolder(), L"目标 folder");
    CreateDirectoryW(folder.c_str(), nullptr);

    HWND browser = OpenDialog(IDC_FIX_PICK_FOLDER);
    EXPECT_EQ(FolderBrowserTitle(browser), L"选择路径...");
    ASSERT_TRUE(ChooseFolder(browser, m_app.handle(), folder));
    EXPECT_EQ(ResultAfterChange(L""), folder);

    ASSERT_TRUE(CancelDialog(OpenDialog(IDC_FIX_PICK_FOLDER)));
    EXPECT_EQ(ResultAfterChange(folder), L"cancelled");
}

TEST_F(DriverTest, RecordsWebAddressesAndFoldersOpenedThroughTheShell) {
    SetControlText(m_page, IDC_FIX_EDIT, L"http://example.invalid/page.htm");
    ASSERT_TRUE(ClickControl(m_page, IDC_FIX_OPEN));
    ASSERT_TRUE(Recorder().WaitForEntries(1, kPatienceMs)) << "the browser recorder never ran";

    const std::wstring folder = JoinPath(WorkFolder(), L"打开的 folder");
    CreateDirectoryW(folder.c_str(), nullptr);
    SetControlText(m_page, IDC_FIX_EDIT, folder);
    ASSERT_TRUE(ClickControl(m_page, IDC_FIX_OPEN));
    ASSERT_TRUE(Recorder().WaitForEntries(2, kPatienceMs)) << "the folder recorder never ran";

    EXPECT_THAT(Recorder().Entries(), ElementsAre(L"http://example.invalid/page.htm", folder));
}

TEST_F(DriverTest, SavesAPictureAndClosesTheSheet) {
    const std::wstring picture = JoinPath(ScreenshotFolder(), L"driver-fixture.bmp");
    ASSERT_TRUE(SaveWindowPicture(m_sheet, picture));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExW(picture.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, 1000u);

    CloseSheet(m_sheet);
    EXPECT_TRUE(m_app.WaitExit(kPatienceMs));
}

}  // namespace
}  // namespace e2e
