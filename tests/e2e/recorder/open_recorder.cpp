// Registered as the shell's "open" command for folders during the tests.
// Usage: open_recorder LOG TARGET. Appends TARGET as a UTF-8 line to LOG; opens no window.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    int count = 0;
    wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args || count != 3) return 2;
    const std::wstring target = args[2];
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, target.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string line(size > 0 ? size - 1 : 0, '\0');
    if (!line.empty()) {
        WideCharToMultiByte(CP_UTF8, 0, target.c_str(), -1, &line[0], size, nullptr, nullptr);
    }
    line += '\n';
    HANDLE log = CreateFileW(args[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    LocalFree(args);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == line.size() ? 0 : 1;
}
