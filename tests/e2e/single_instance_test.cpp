// A second start while the first runs: one message, no window, no exit page.
#include <gtest/gtest.h>

#include "driver/message_box.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "quillet_test.h"

namespace e2e {
namespace {

class SecondStartTest : public QuilletTest {
  protected:
    // Starts `exe` while the first copy runs and reads the message it shows, whatever its
    // owner.
    MessageBoxInfo RefusedStart(AppProcess& second, const std::wstring& exe) {
        EXPECT_TRUE(second.Start(exe)) << ToUtf8(second.last_error());
        HWND box = nullptr;
        WaitUntil(
            [&] {
                const std::vector<HWND> shown = TopLevelWindows(second.pid(), true);
                box = shown.empty() ? nullptr : shown.front();
                return box != nullptr;
            },
            kPatienceMs);
        return ReadMessageBox(box);
    }
};

TEST_F(SecondStartTest, IsRefusedWithOneMessageAndLeavesTheFirstRunning) {
    ASSERT_TRUE(Start());
    AppProcess second;
    const MessageBoxInfo box = RefusedStart(second, QuilletExe());
    ASSERT_NE(box.window, nullptr) << "the second start showed no message box";
    EXPECT_EQ(box.text, L"Quillet 已运行!");
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_EQ(box.caption, L"Quillet");
    EXPECT_STREQ(IconKindName(box.icon), "exclamation");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(TopLevelWindows(second.pid(), true), std::vector<HWND>{box.window});

    ASSERT_TRUE(AnswerMessageBox(box.window, IDOK));
    EXPECT_TRUE(second.WaitExit(kPatienceMs)) << "the refused copy did not end";
    EXPECT_FALSE(Recorder().WaitForEntries(1, 2000)) << "a refused start opened a page";

    EXPECT_TRUE(m_app.IsRunning());
    EXPECT_EQ(FindSheet(m_app.pid()), m_sheet);
}

TEST_F(SecondStartTest, MessageCaptionIsTheNameOfTheStartedExecutable) {
    ASSERT_TRUE(Start());
    const std::wstring copy = JoinPath(WorkFolder(), L"分割工具.exe");
    ASSERT_TRUE(CopyFileW(QuilletExe().c_str(), copy.c_str(), FALSE));
    AppProcess second;
    const MessageBoxInfo box = RefusedStart(second, copy);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"分割工具");
    AnswerMessageBox(box.window, IDOK);
    EXPECT_TRUE(second.WaitExit(kPatienceMs));
}

}  // namespace
}  // namespace e2e
