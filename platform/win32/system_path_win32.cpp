#include <windows.h>

#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"

namespace system_path {
namespace {

// Folders are refused from MAX_PATH - 12 on (room for an 8.3 name), files from
// MAX_PATH; one limit for both keeps it simple.
constexpr size_t kLongPath = MAX_PATH - 12;

bool HasPrefix(const std::wstring& s, const wchar_t* prefix) {
    return s.compare(0, wcslen(prefix), prefix) == 0;
}

}  // namespace

std::wstring Full(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(full.size());
        const DWORD length = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
        if (length == 0) return std::wstring();
        if (length < size) {
            full.resize(length);
            return full;
        }
        // Too small: length is the size it needs, terminator included.
        full.assign(length, L'\0');
    }
}

std::wstring ForCall(const std::string& utf8Path) {
    std::wstring p = wide::FromUtf8(utf8Path);
    if (p.size() < kLongPath || HasPrefix(p, L"\\\\?\\") || HasPrefix(p, L"\\\\.\\")) return p;
    const std::wstring full = Full(p);
    if (HasPrefix(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return p;  // a form the prefix cannot take: the system says what it makes of it
}

}  // namespace system_path
