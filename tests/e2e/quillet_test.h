// A test that starts Quillet.exe and closes it again at the end.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/app_texts.h"

#include "driver/process.h"
#include "driver/sheet.h"
#include "driver/text.h"
#include "driver/wait.h"
#include "e2e_test_base.h"
#include "quillet_exe.h"

namespace e2e {

class QuilletTest : public DisplayTest {
  protected:
    void TearDown() override {
        if (m_sheet && IsWindow(m_sheet) && m_app.IsRunning()) CloseAndWaitExit();
        // An exit page still on its way would land in the next test's record; on a slow
        // machine it comes after the folders and links the test itself opened.
        WaitUntil([&] { return ExitPagesRecorded() >= m_exitPages; }, kPatienceMs, 50);
    }
    static size_t ExitPagesRecorded() {
        const std::vector<std::wstring> entries = Recorder().Entries();
        return std::count(entries.begin(), entries.end(), FromUtf8(app_text::kExitPage));
    }
    // Starts the program (the build's own unless told) and waits for its sheet.
    bool Start(const std::wstring& exe = QuilletExe()) {
        m_sheet = StartAndFindSheet(m_app, exe);
        return m_sheet != nullptr;
    }
    // Closes the sheet with its close box and waits until the process has ended.
    bool CloseAndWaitExit() {
        m_exitPages = ExitPagesRecorded() + 1;
        CloseSheet(m_sheet);
        ++m_closed;
        return m_app.WaitExit(kPatienceMs);
    }

    AppProcess m_app;
    HWND m_sheet = nullptr;
    size_t m_closed = 0;
    size_t m_exitPages = 0;  // the exit pages the record holds once the last close is done
};

}  // namespace e2e
