// Captions, owners and icons of the two kinds of message box, and the wait cursor.
#include <gtest/gtest.h>

#include "app/framework/win_app.h"
#include "framework/exchange_dialog.h"
#include "framework/message_box_recorder.h"

namespace {

class MainWindowScope {
  public:
    explicit MainWindowScope(CWnd* window) { AfxGetApp()->m_pMainWnd = window; }
    ~MainWindowScope() { AfxGetApp()->m_pMainWnd = nullptr; }
};

TEST(ApplicationTitle, IsTheExecutableNameWithoutFolderAndExtension) {
    EXPECT_EQ(AfxGetApp()->m_strTitle, "framework_tests");
    EXPECT_EQ(CWinApp::TitleFromModulePath("D:\\bin\\tool.exe"), "tool");
    EXPECT_EQ(CWinApp::TitleFromModulePath("D:\\v1.2\\tool.v2.exe"), "tool.v2");
    EXPECT_EQ(CWinApp::TitleFromModulePath("D:\\v1.2\\tool"), "tool");
    // The path is UTF-8, whatever the system's code page.
    EXPECT_EQ(CWinApp::TitleFromModulePath(u8"D:\\目录\\分割工具.v2.exe"), u8"分割工具.v2");
}

TEST(ApplicationMessageBox, AddsTheExclamationOnlyToOkAndYesNoSets) {
    MessageBoxRecorder recorder;
    const std::pair<UINT, UINT> cases[] = {
        {MB_OK, MB_OK | MB_ICONEXCLAMATION},
        {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
        {MB_YESNO, MB_YESNO | MB_ICONEXCLAMATION},
        {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONEXCLAMATION},
        {MB_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE},
        {MB_RETRYCANCEL, MB_RETRYCANCEL},
        {MB_YESNO | MB_ICONSTOP, MB_YESNO | MB_ICONSTOP},
        {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
    };
    for (const auto& c : cases) AfxMessageBox("text", c.first);
    ASSERT_EQ(recorder.boxes.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(recorder.boxes[i].type, cases[i].second) << "case " << i;
        EXPECT_EQ(recorder.boxes[i].caption, "framework_tests");
        EXPECT_EQ(recorder.boxes[i].text, "text");
    }
}

TEST(ApplicationMessageBox, HasNoOwnerBeforeTheMainWindowExists) {
    MessageBoxRecorder recorder;
    ExchangeDialog notYetCreated;
    MainWindowScope main(&notYetCreated);
    AfxMessageBox("Quillet 已运行!");
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].owner, nullptr);
}

TEST(ApplicationMessageBox, IsOwnedByTheMainWindowsLastActivePopup) {
    MessageBoxRecorder recorder;
    ExchangeDialog host;
    ASSERT_TRUE(host.Open());
    MainWindowScope main(&host);
    AfxMessageBox("alone");

    // A window the main window owns, like the sheet, takes the boxes once active.
    ExchangeDialog sheetLike;
    ASSERT_TRUE(sheetLike.Create(host.m_hWnd));
    ::SetActiveWindow(sheetLike.m_hWnd);
    AfxMessageBox("over the sheet");

    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].owner, host.m_hWnd);
    EXPECT_EQ(recorder.boxes[1].owner, sheetLike.m_hWnd);
}

TEST(PageMessageBox, IsOwnedByThePageAndGetsNoIcon) {
    MessageBoxRecorder recorder;
    ExchangeDialog page;
    ASSERT_TRUE(page.Open());
    recorder.answer = IDYES;
    EXPECT_EQ(page.MessageBox("reuse the folder?", MB_YESNO), IDYES);
    page.MessageBox("done");
    ASSERT_EQ(recorder.boxes.size(), 2u);
    EXPECT_EQ(recorder.boxes[0].owner, page.m_hWnd);
    EXPECT_EQ(recorder.boxes[0].type, UINT(MB_YESNO));
    EXPECT_EQ(recorder.boxes[0].caption, "framework_tests");
    EXPECT_EQ(recorder.boxes[1].type, UINT(MB_OK));
}

TEST(WaitCursor, OnlyTheLastEndBringsBackTheEarlierCursor) {
    CWinApp* app = AfxGetApp();
    HCURSOR arrow = ::LoadCursor(nullptr, IDC_ARROW);
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    ::SetCursor(arrow);

    app->BeginWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    app->BeginWaitCursor();
    EXPECT_EQ(app->GetWaitCursorCount(), 2);
    app->EndWaitCursor();
    EXPECT_EQ(::GetCursor(), wait);
    EXPECT_EQ(app->GetWaitCursorCount(), 1);
    app->EndWaitCursor();
    EXPECT_EQ(::GetCursor(), arrow);
    EXPECT_EQ(app->GetWaitCursorCount(), 0);
}

TEST(WaitCursor, NeverCountsBelowZero) {
    CWinApp* app = AfxGetApp();
    HCURSOR cross = ::LoadCursor(nullptr, IDC_CROSS);
    ::SetCursor(cross);
    app->EndWaitCursor();
    EXPECT_EQ(app->GetWaitCursorCount(), 0);
    EXPECT_EQ(::GetCursor(), cross);
    // A begin after a stray end still needs only one end.
    app->BeginWaitCursor();
    app->EndWaitCursor();
    EXPECT_EQ(app->GetWaitCursorCount(), 0);
    EXPECT_EQ(::GetCursor(), cross);
}

}  // namespace
