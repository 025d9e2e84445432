#include "driver/process.h"

#include <vector>

#include "driver/wait.h"

namespace e2e {

AppProcess::~AppProcess() {
    Release();
}

void AppProcess::Release() {
    Terminate();
    if (m_info.hThread) CloseHandle(m_info.hThread);
    if (m_info.hProcess) CloseHandle(m_info.hProcess);
    m_info = PROCESS_INFORMATION{};
}

bool AppProcess::Start(const std::wstring& exe) {
    Release();
    const size_t slash = exe.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : exe.substr(0, slash);
    std::wstring quoted = L"\"" + exe + L"\"";
    std::vector<wchar_t> command(quoted.begin(), quoted.end());
    command.push_back(L'\0');
    // The program and what it starts must not hold the test's output open: ctest reads it
    // to its end and would wait for them.
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    // Wine's loader now and then fails to bring a new process up under load (error 1359,
    // before any code of the program ran): such a start is tried again.
    BOOL started = FALSE;
    DWORD error = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (attempt > 0) Sleep(500);
        started = CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                 nullptr, folder.c_str(), &startup, &m_info);
        error = GetLastError();
        if (started || error != ERROR_INTERNAL_ERROR) break;
    }
    if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
    if (!started) {
        m_error = L"cannot start " + exe + L": error " + std::to_wstring(error);
        return false;
    }
    // A failure here only means the program never went idle; the callers' waits report that.
    WaitForInputIdle(m_info.hProcess, kPatienceMs);
    return true;
}

bool AppProcess::WaitExit(DWORD timeout_ms) {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, timeout_ms) == WAIT_OBJECT_0;
}

bool AppProcess::IsRunning() const {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

void AppProcess::Terminate() {
    if (!IsRunning()) return;
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 5000);
}

}  // namespace e2e
