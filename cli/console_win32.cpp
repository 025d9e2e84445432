#include <io.h>
#include <windows.h>
// after windows.h, whose types it uses
#include <shellapi.h>

#include <iostream>

#include "cli/console.h"
#include "platform/win32/wide.h"

namespace console {
namespace {

HANDLE HandleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

bool g_bWriteFailed = false;

}  // namespace

// argv holds the arguments in the ANSI code page, with a look-alike or "?" for every
// character it lacks; the wide command line holds them whole.
std::vector<std::string> Arguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!args) return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> utf8;
    for (int i = 1; i < count; ++i) utf8.push_back(wide::ToUtf8(args[i], wcslen(args[i])));
    LocalFree(args);
    return utf8;
}

bool IsTerminal(std::FILE* stream) {
    DWORD mode;
    return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

std::string FromText(const std::string& programText) {
    return wide::ToUtf8(wide::FromCp936(programText));
}

void Write(std::FILE* stream, const std::string& utf8) {
    std::fflush(stream);
    if (IsTerminal(stream)) {
        // A console shows every character this way, whatever its code page.
        const std::wstring text = wide::FromUtf8(utf8);
        DWORD written = 0;
        if (!WriteConsoleW(HandleOf(stream), text.data(), static_cast<DWORD>(text.size()), &written,
                           nullptr) ||
            written != text.size()) {
            g_bWriteFailed = true;
        }
        return;
    }
    // Redirected: UTF-8 whatever the code pages, so that no name loses a character.
    const bool whole = std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
    if (std::fflush(stream) != 0 || !whole) g_bWriteFailed = true;
}

bool WriteFailed() {
    return g_bWriteFailed;
}

bool ReadLine(std::string& line) {
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace console
