// Records what the program under test hands to the shell's "open": web and mail addresses go
// to a script registered as Wine's browser and mailer, folders to a recording program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class ShellRecorder {
  public:
    // `browser_script`: Unix path of an executable script that appends its argument to
    // `log` (a Windows path); `folder_recorder`: a program taking the log and a folder.
    ShellRecorder(std::string browser_script, std::wstring folder_recorder, std::wstring log);

    // Registers both recorders in the Wine prefix; returns false with a message on failure.
    bool Install(std::wstring* error) const;
    void Clear() const;
    std::vector<std::wstring> Entries() const;
    // Waits until at least `count` targets were recorded.
    bool WaitForEntries(size_t count, DWORD timeout_ms) const;

  private:
    std::string m_browser_script;
    std::wstring m_folder_recorder;
    std::wstring m_log;
};

}  // namespace e2e
