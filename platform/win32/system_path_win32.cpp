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

// The length that counts is the full form's: a short relative name in a deep current
// folder is as long as the folder.
std::wstring ForCall(const std::string& utf8Path) {
    const std::wstring p = wide::FromUtf8(utf8Path);
    if (HasPrefix(p, L"\\\\?\\") || HasPrefix(p, L"\\\\.\\")) return p;
    const std::wstring full = Full(p);
    if (full.size() < kLongPath) return p.size() < kLongPath || full.empty() ? p : full;
    if (HasPrefix(full, L"\\\\?\\") || HasPrefix(full, L"\\\\.\\")) return full;
    if (HasPrefix(full, L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    if (full.size() >= 3 && full[1] == L':' && full[2] == L'\\') return L"\\\\?\\" + full;
    return p;  // a form the prefix cannot take: the system says what it makes of it
}

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD creation,
            DWORD flagsAndAttributes) {
    return CreateFileW(ForCall(path).c_str(), access, share, nullptr, creation, flagsAndAttributes,
                       nullptr);
}

HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAW& data) {
    return FindFirstFileW(ForCall(pattern).c_str(), &data);
}

bool Move(const std::string& from, const std::string& to) {
    const std::wstring source = ForCall(from);
    return MoveFileW(source.c_str(), ForCall(to).c_str()) != FALSE;
}

bool MoveEx(const std::string& from, const std::string& to, DWORD flags) {
    const std::wstring source = ForCall(from);
    return MoveFileExW(source.c_str(), ForCall(to).c_str(), flags) != FALSE;
}

bool Delete(const std::string& path) {
    return DeleteFileW(ForCall(path).c_str()) != FALSE;
}

bool CreateFolder(const std::string& path) {
    return CreateDirectoryW(ForCall(path).c_str(), nullptr) != FALSE;
}

DWORD Attributes(const std::string& path) {
    return GetFileAttributesW(ForCall(path).c_str());
}

bool AttributeData(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data) {
    return GetFileAttributesExW(ForCall(path).c_str(), GetFileExInfoStandard, &data) != FALSE;
}

}  // namespace system_path
