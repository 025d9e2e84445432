#include "driver/shell_recorder.h"

#include "driver/registry.h"
#include "driver/text.h"
#include "driver/wait.h"

namespace e2e {

ShellRecorder::ShellRecorder(std::string browser_script, std::wstring folder_recorder,
                             std::wstring log)
    : m_browser_script(std::move(browser_script)),
      m_folder_recorder(std::move(folder_recorder)),
      m_log(std::move(log)) {}

bool ShellRecorder::Install(std::wstring* error) const {
    const std::wstring script = FromUtf8(m_browser_script);
    const std::wstring command = L"\"" + m_folder_recorder + L"\" \"" + m_log + L"\" \"%1\"";
    const wchar_t* kBrowserKey = L"Software\\Wine\\WineBrowser";
    bool ok = SetString(HKEY_CURRENT_USER, kBrowserKey, L"Browsers", script) &&
              SetString(HKEY_CURRENT_USER, kBrowserKey, L"Mailers", script) &&
              SetString(HKEY_CLASSES_ROOT, L"Folder\\shell\\open\\command", L"", command);
    // With a DDE entry the shell reports a failure although the recorder ran.
    DeleteTree(HKEY_CLASSES_ROOT, L"Folder\\shell\\open\\ddeexec");
    if (!ok && error) *error = L"cannot register the shell recorders in the Wine prefix";
    return ok;
}

void ShellRecorder::Clear() const {
    DeleteFileW(m_log.c_str());
}

std::vector<std::wstring> ShellRecorder::Entries() const {
    std::vector<std::wstring> entries;
    HANDLE in = CreateFileW(m_log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (in == INVALID_HANDLE_VALUE) return entries;
    std::string bytes;
    char block[4096];
    DWORD got = 0;
    while (ReadFile(in, block, sizeof block, &got, nullptr) && got > 0) bytes.append(block, got);
    CloseHandle(in);
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        entries.push_back(FromUtf8(bytes.substr(start, end - start)));
    }
    return entries;
}

bool ShellRecorder::WaitForEntries(size_t count, DWORD timeout_ms) const {
    return WaitUntil([&] { return Entries().size() >= count; }, timeout_ms, 50);
}

}  // namespace e2e
