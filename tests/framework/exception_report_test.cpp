// A failure raised inside a handler stops at the dialog procedure and is shown once,
// with the text and icon its kind calls for; the dialog stays usable.
#include "app/framework/exception_report.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

#include "app/framework/user_exception.h"
#include "app/framework/win_app.h"
#include "framework/exchange_dialog.h"
#include "framework/message_box_recorder.h"
#include "platform/file_exception.h"

namespace {

constexpr UINT kStop = MB_OK | MB_ICONSTOP;

struct TextlessFailure : CException {
    bool GetErrorMessage(std::string&) const override { return false; }
};

struct ExplainedFailure : CException {
    bool GetErrorMessage(std::string& text) const override {
        text = "the disk went away";
        return true;
    }
};

class ExceptionReportTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog.Open()); }

    // Clicks the action button, whose handler runs action.
    void ClickFailing(std::function<void()> action) {
        Send(std::move(action), reinterpret_cast<LPARAM>(dialog.GetDlgItem(kActionButton).m_hWnd));
    }
    // The same command as a menu or an accelerator sends it: without a control.
    void MenuCommandFailing(std::function<void()> action) { Send(std::move(action), 0); }
    void Send(std::function<void()> action, LPARAM from) {
        recorder.boxes.clear();
        dialog.m_action = std::move(action);
        dialog.Click(from);
    }

    void ExpectOneBox(const std::string& text, UINT type) {
        ASSERT_EQ(recorder.boxes.size(), 1u);
        EXPECT_EQ(recorder.boxes[0].text, text);
        EXPECT_EQ(recorder.boxes[0].type, type);
        EXPECT_EQ(recorder.boxes[0].caption, "framework_tests");
    }

    MessageBoxRecorder recorder;
    ExchangeDialog dialog;
};

TEST_F(ExceptionReportTest, FileErrorShowsItsCauseWithTheFileName) {
    ClickFailing([] { throw CFileException(CFileException::fileNotFound, 2, "D:\\in\\a.avi"); });
    ExpectOneBox("没有找到 D:\\in\\a.avi。", kStop);
}

TEST_F(ExceptionReportTest, UnnamedFileErrorSaysSo) {
    ClickFailing([] { throw CFileException(CFileException::accessDenied, 183); });
    ExpectOneBox("对 一未命名文件 的存取被拒绝。", kStop);
}

TEST_F(ExceptionReportTest, FailureWithItsOwnTextShowsIt) {
    ClickFailing([] { throw ExplainedFailure(); });
    ExpectOneBox("the disk went away", kStop);
}

TEST_F(ExceptionReportTest, TextlessFailureFallsBackByWhereTheCommandCameFrom) {
    ClickFailing([] { throw TextlessFailure(); });
    ExpectOneBox("内部应用程序出错。", kStop);
    MenuCommandFailing([] { throw TextlessFailure(); });
    ExpectOneBox("命令失败。", kStop);
    // Not even a C++ failure of ours.
    ClickFailing([] { throw 42; });
    ExpectOneBox("内部应用程序出错。", kStop);
}

TEST_F(ExceptionReportTest, OutOfMemoryHasItsOwnSystemModalBox) {
    const UINT memoryBox = MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL;
    ClickFailing([] { throw CMemoryException(); });
    ExpectOneBox("内存不足。", memoryBox);
    ClickFailing([] { throw std::bad_alloc(); });
    ExpectOneBox("内存不足。", memoryBox);
}

TEST_F(ExceptionReportTest, ValidationFailureIsNotReportedAgain) {
    ClickFailing([] { throw CUserException(); });
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ExceptionReportTest, HandlerStopsButItsLocalsAreReleasedAndTheDialogGoesOn) {
    struct WaitCursor {
        WaitCursor() { AfxGetApp()->BeginWaitCursor(); }
        ~WaitCursor() { AfxGetApp()->EndWaitCursor(); }
    };
    ClickFailing([] {
        WaitCursor busy;
        throw CFileException(CFileException::diskFull, 112, "E:\\out.bin");
    });
    EXPECT_EQ(dialog.m_nActionsCompleted, 0);
    EXPECT_EQ(AfxGetApp()->GetWaitCursorCount(), 0);
    ExpectOneBox("在存取 E:\\out.bin 时磁盘已满。", kStop);

    ClickFailing([] {});
    EXPECT_EQ(dialog.m_nActionsCompleted, 1);
    EXPECT_TRUE(recorder.boxes.empty());
}

TEST_F(ExceptionReportTest, FailureDuringInitialisationStillCreatesTheDialog) {
    ExchangeDialog failing;
    failing.m_onInit = [] { throw TextlessFailure(); };
    recorder.boxes.clear();
    ASSERT_TRUE(failing.Open());
    EXPECT_TRUE(failing.IsWindow());
    ExpectOneBox("内部应用程序出错。", kStop);
}

TEST(ReportError, WithoutTextOrFallbackSaysNoMessageIsAvailable) {
    MessageBoxRecorder recorder;
    ReportError(TextlessFailure(), MB_ICONSTOP, 0);
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "得不到出错信息。");
}

}  // namespace
