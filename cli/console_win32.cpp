#include <io.h>
#include <windows.h>

#include <iostream>

#include "cli/console.h"

namespace console {
namespace {

// The program's texts are compiled to code page 936.
constexpr UINT kTextCodePage = 936;

HANDLE HandleOf(std::FILE* stream) {
    return reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
}

std::wstring Widen(const std::string& text) {
    int n = MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()),
                                nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(kTextCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), &bytes[0], n,
                        nullptr, nullptr);
    return bytes;
}

void WriteBytes(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

}  // namespace

bool IsTerminal(std::FILE* stream) {
    DWORD mode;
    return GetConsoleMode(HandleOf(stream), &mode) != 0;
}

void Write(std::FILE* stream, const std::string& text) {
    std::fflush(stream);
    if (IsTerminal(stream)) {
        // A console shows every character this way, whatever its code page.
        std::wstring wide = Widen(text);
        DWORD written;
        WriteConsoleW(HandleOf(stream), wide.data(), static_cast<DWORD>(wide.size()), &written,
                      nullptr);
        return;
    }
    // Redirected: bytes in the console's code page, when there is a console at all.
    UINT codePage = GetConsoleOutputCP();
    if (codePage == 0 || codePage == kTextCodePage) {
        WriteBytes(stream, text);
    } else {
        WriteBytes(stream, Narrow(Widen(text), codePage));
    }
}

bool ReadLine(std::string& line) {
    return static_cast<bool>(std::getline(std::cin, line));
}

}  // namespace console
