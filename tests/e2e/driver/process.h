// One started copy of a program under test; a copy still running at the end is terminated.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class AppProcess {
  public:
    AppProcess() = default;
    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    // Starts `exe` with no arguments in its own folder and waits until it waits for input.
    // A copy started earlier by this object is terminated first.
    bool Start(const std::wstring& exe);
    bool WaitExit(DWORD timeout_ms);
    bool IsRunning() const;
    void Terminate();

    DWORD pid() const { return m_info.dwProcessId; }
    DWORD thread_id() const { return m_info.dwThreadId; }
    HANDLE handle() const { return m_info.hProcess; }
    const std::wstring& last_error() const { return m_error; }

  private:
    void Release();

    PROCESS_INFORMATION m_info{};
    std::wstring m_error;
};

}  // namespace e2e
