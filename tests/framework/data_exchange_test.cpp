// Saving and loading a dialog's fields: the number rules on real edit controls, the
// messages, where the focus goes after a refusal, and which fields a refusal keeps.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "framework/exchange_dialog.h"
#include "framework/message_box_recorder.h"
#include "platform/exception.h"

namespace {

const char kIntegerMessage[] = "请键入一个整数。";
const char kRealMessage[] = "请键入一个数。";
const char kRangeMessage[] = "“请填入一个在1和700之间的数字。”";

class DataExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog.Open()); }

    // Saves with one edit changed; the others keep what the last load put there.
    bool SaveWith(int id, const std::string& text) {
        dialog.SetText(id, text);
        return dialog.UpdateData(true);
    }

    MessageBoxRecorder recorder;
    ExchangeDialog dialog;
};

TEST_F(DataExchangeTest, InitialisationLoadsEveryField) {
    EXPECT_EQ(dialog.Text(kTextEdit), "first");
    EXPECT_EQ(dialog.Text(kCountEdit), "2");
    EXPECT_EQ(dialog.Text(kSizeEdit), "2");
    EXPECT_EQ(dialog.Text(kAfterEdit), "7");
    EXPECT_EQ(dialog.Text(kLastEdit), "last");
}

TEST_F(DataExchangeTest, IntegerTexts) {
    struct Case {
        const char* text;
        bool accepted;
        int32_t value;
    };
    const Case cases[] = {
        {"", false, 0},
        {"abc", false, 0},
        {"12abc", false, 0},
        {"1.5", false, 0},
        {"+0", false, 0},
        {"-0", false, 0},
        {u8"\uFF11\uFF12", false, 0},  // full-width digits
        {" 12 ", true, 12},
        {"\t-5\t", true, -5},
        {"0", true, 0},
        {"00", true, 0},
        {"99999999999", true, INT_MAX},
        {"-99999999999", true, INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        dialog.m_nCount = 42;
        recorder.boxes.clear();
        EXPECT_EQ(SaveWith(kCountEdit, c.text), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(dialog.m_nCount, c.value);
            EXPECT_TRUE(recorder.boxes.empty());
        } else {
            EXPECT_EQ(dialog.m_nCount, 42);
            ASSERT_EQ(recorder.boxes.size(), 1u);
            EXPECT_EQ(recorder.boxes[0].text, kIntegerMessage);
            EXPECT_EQ(recorder.boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
        }
    }
}

TEST_F(DataExchangeTest, RealTextsAndTheRange) {
    struct Case {
        const char* text;
        const char* message;  // null when accepted
        float value;
    };
    const Case cases[] = {
        {"", kRealMessage, 0},
        {".0", kRealMessage, 0},
        {"-0", kRealMessage, 0},
        {"abc", kRealMessage, 0},
        {"2,5", kRealMessage, 0},
        {".5", kRangeMessage, 0.5f},
        {"1e2", nullptr, 100.0f},
        {"0.5", kRangeMessage, 0.5f},
        {"701", kRangeMessage, 701.0f},
        {"700.00001", nullptr, 700.0f},
        {"700.001", kRangeMessage, 700.001f},
        {"1", nullptr, 1.0f},
        {" 2.5 ", nullptr, 2.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("text \"") + c.text + "\"");
        dialog.m_fSize = 42.0f;
        recorder.boxes.clear();
        EXPECT_EQ(SaveWith(kSizeEdit, c.text), c.message == nullptr);
        bool parsed = c.message != kRealMessage;
        // A value refused only by the range check has been stored already.
        EXPECT_EQ(dialog.m_fSize, parsed ? c.value : 42.0f);
        if (c.message) {
            ASSERT_EQ(recorder.boxes.size(), 1u);
            EXPECT_EQ(recorder.boxes[0].text, c.message);
            EXPECT_EQ(recorder.boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
        } else {
            EXPECT_TRUE(recorder.boxes.empty());
        }
    }
}

TEST_F(DataExchangeTest, NumbersAreJudgedOnTheirFirst31Characters) {
    // The rejecting characters lie past the 31st and are never read.
    EXPECT_TRUE(SaveWith(kCountEdit, "12" + std::string(29, ' ') + "abc"));
    EXPECT_EQ(dialog.m_nCount, 12);
    EXPECT_TRUE(SaveWith(kSizeEdit, "5" + std::string(30, ' ') + "x"));
    EXPECT_EQ(dialog.m_fSize, 5.0f);
    // Thirty-one zeros hide the 5 behind them.
    EXPECT_TRUE(SaveWith(kCountEdit, std::string(31, '0') + "5"));
    EXPECT_EQ(dialog.m_nCount, 0);
    // A text is taken whole, whatever its length.
    std::string longText(300, 'x');
    EXPECT_TRUE(SaveWith(kTextEdit, longText));
    EXPECT_EQ(dialog.m_strText, longText);
    // ... and with characters that code page 936 lacks.
    const std::string outside936 = u8"\u65C5\u884C\U0001F600 \uC5EC\uD589";
    EXPECT_TRUE(SaveWith(kTextEdit, outside936));
    EXPECT_EQ(dialog.m_strText, outside936);
}

TEST_F(DataExchangeTest, RefusalFocusesAndSelectsTheOffendingEdit) {
    for (const char* text : {"abc", "0.5"}) {
        SCOPED_TRACE(text);
        dialog.GetDlgItem(kTextEdit).SetFocus();
        EXPECT_FALSE(SaveWith(kSizeEdit, text));
        HWND edit = dialog.GetDlgItem(kSizeEdit).m_hWnd;
        EXPECT_EQ(::GetFocus(), edit);
        DWORD start = 1, end = 0;
        ::SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, std::string(text).size());
    }
}

TEST_F(DataExchangeTest, FieldsBeforeARefusalAreSavedAndThoseAfterItAreNot) {
    dialog.SetText(kTextEdit, "new text");
    dialog.SetText(kCountEdit, "5");
    dialog.SetText(kAfterEdit, "9");
    dialog.SetText(kLastEdit, "new last");

    EXPECT_FALSE(SaveWith(kSizeEdit, "701"));
    EXPECT_EQ(dialog.m_strText, "new text");
    EXPECT_EQ(dialog.m_nCount, 5);
    EXPECT_EQ(dialog.m_fSize, 701.0f);
    EXPECT_EQ(dialog.m_nAfter, 7);
    EXPECT_EQ(dialog.m_strLast, "last");

    EXPECT_FALSE(SaveWith(kSizeEdit, "abc"));
    EXPECT_EQ(dialog.m_fSize, 701.0f);

    EXPECT_TRUE(SaveWith(kSizeEdit, "3"));
    EXPECT_EQ(dialog.m_nAfter, 9);
    EXPECT_EQ(dialog.m_strLast, "new last");
}

TEST_F(DataExchangeTest, LoadingLeavesAnUnchangedTextAlone) {
    HWND edit = dialog.GetDlgItem(kTextEdit).m_hWnd;
    // Setting a window text clears the edit's modified flag; an untouched edit keeps it.
    ::SendMessageA(edit, EM_SETMODIFY, TRUE, 0);
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_TRUE(::SendMessageA(edit, EM_GETMODIFY, 0, 0));

    dialog.m_strText = "changed";
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_FALSE(::SendMessageA(edit, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(dialog.Text(kTextEdit), "changed");
}

TEST_F(DataExchangeTest, ControlNotificationsWaitWhileTheExchangeRuns) {
    dialog.m_nChangeNotifications = 0;
    dialog.m_strText = "another";
    dialog.m_nCount = 99;
    EXPECT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(dialog.m_nChangeNotifications, 0);

    dialog.SetText(kTextEdit, "typed");
    EXPECT_EQ(dialog.m_nChangeNotifications, 1);
}

TEST_F(DataExchangeTest, AFailureOtherThanValidationIsReportedAsInternal) {
    struct Unexplained : CException {
        bool GetErrorMessage(std::string&) const override { return false; }
    };
    class ThrowingDialog : public ExchangeDialog {
      protected:
        void DoDataExchange(CDataExchange* pDX) override {
            DDX_Text(pDX, kTextEdit, m_strText);
            throw Unexplained();
        }
    };
    ThrowingDialog throwing;
    ASSERT_TRUE(throwing.Open());
    recorder.boxes.clear();
    throwing.SetText(kTextEdit, "kept");
    EXPECT_FALSE(throwing.UpdateData(true));
    EXPECT_EQ(throwing.m_strText, "kept");
    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].text, "内部应用程序出错。");
    EXPECT_EQ(recorder.boxes[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
}

}  // namespace
