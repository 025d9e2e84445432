// A test that starts Quillet.exe and closes it again at the end.
#pragma once

#include <windows.h>

#include <string>

#include "driver/process.h"
#include "driver/sheet.h"
#include "driver/text.h"
#include "driver/wait.h"
#include "e2e_test_base.h"

namespace e2e {

inline std::wstring QuilletExe() {
    return WindowsPathFromUnix(QUILLET_EXE);
}

class QuilletTest : public DisplayTest {
  protected:
    void TearDown() override {
        if (m_sheet && IsWindow(m_sheet) && m_app.IsRunning()) CloseAndWaitExit();
        // Exit pages still on their way would land in the next test's record.
        Recorder().WaitForEntries(m_closed, kPatienceMs);
    }
    // Starts the program (the build's own unless told) and waits for its sheet.
    bool Start(const std::wstring& exe = QuilletExe()) {
        m_sheet = StartAndFindSheet(m_app, exe);
        return m_sheet != nullptr;
    }
    // Closes the sheet with its close box and waits until the process has ended.
    bool CloseAndWaitExit() {
        CloseSheet(m_sheet);
        ++m_closed;
        return m_app.WaitExit(kPatienceMs);
    }

    AppProcess m_app;
    HWND m_sheet = nullptr;
    size_t m_closed = 0;
};

}  // namespace e2e
