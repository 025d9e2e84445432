#include "e2e_test_base.h"

#include "driver/registry.h"
#include "driver/sheet.h"
#include "driver/text.h"
#include "driver/wait.h"

namespace e2e {
namespace {

bool HasDisplay() {
    return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0;
}

// Prepares the Wine prefix once per test program, so that ctest alone suffices.
class PrefixSetup : public ::testing::Environment {
  public:
    void SetUp() override {
        if (!HasDisplay()) return;
        std::wstring error;
        ASSERT_TRUE(Recorder().Install(&error)) << ToUtf8(error);
        // Without it, Wine reports names that start with "." as hidden.
        ASSERT_TRUE(SetString(HKEY_CURRENT_USER, L"Software\\Wine", L"ShowDotFiles", L"Y"));
        CreateDirectoryW(ScreenshotFolder().c_str(), nullptr);
    }
};

const auto* const kPrefixSetup = ::testing::AddGlobalTestEnvironment(new PrefixSetup);

}  // namespace

std::wstring WorkFolder() {
    return WindowsPathFromUnix(E2E_WORK_DIR);
}

std::wstring ScreenshotFolder() {
    return JoinPath(WorkFolder(), L"screenshots");
}

std::wstring ScreenshotPath(const std::wstring& name) {
    const UINT code_page = GetACP();
    const std::wstring prefix = code_page == 936 ? L"" : L"cp" + std::to_wstring(code_page) + L"-";
    return JoinPath(ScreenshotFolder(), prefix + name);
}

const ShellRecorder& Recorder() {
    static const ShellRecorder recorder(std::string(E2E_WORK_DIR) + "/record_browser.sh",
                                        WindowsPathFromUnix(E2E_OPEN_RECORDER_EXE),
                                        JoinPath(WorkFolder(), L"shell-opens.log"));
    return recorder;
}

void DisplayTest::SetUp() {
    if (!HasDisplay()) {
        GTEST_SKIP()
            << "DISPLAY is not set: run under `source scripts/wine-env.sh BUILD --display`";
    }
    Recorder().Clear();
}

HWND StartAndFindSheet(AppProcess& app, const std::wstring& exe) {
    if (!app.Start(exe)) {
        ADD_FAILURE() << ToUtf8(app.last_error());
        return nullptr;
    }
    HWND sheet = WaitForSheet(app.pid(), kPatienceMs);
    if (!sheet) ADD_FAILURE() << "no sheet appeared within 30 s for " << ToUtf8(exe);
    return sheet;
}

}  // namespace e2e
