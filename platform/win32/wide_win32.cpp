#include "platform/win32/wide.h"

#include <windows.h>

namespace wide {
namespace {

std::wstring ToUtf16(UINT codePage, const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring out(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, bytes.data(), size, &out[0], length);
    return out;
}

std::string FromUtf16(UINT codePage, const wchar_t* utf16, size_t count) {
    if (count == 0) return std::string();
    const int size = static_cast<int>(count);
    // Best fit would turn a character 936 lacks into a look-alike; "?" says it is lost.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, utf16, size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    if (length > 0)
        WideCharToMultiByte(codePage, flags, utf16, size, &out[0], length, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring FromUtf8(const std::string& utf8) { return ToUtf16(CP_UTF8, utf8); }

std::string ToUtf8(const std::wstring& utf16) { return ToUtf8(utf16.data(), utf16.size()); }

std::string ToUtf8(const wchar_t* utf16, size_t length) {
    return FromUtf16(CP_UTF8, utf16, length);
}

std::wstring FromCp936(const std::string& cp936) { return ToUtf16(936, cp936); }

std::string ToCp936(const std::wstring& utf16) { return FromUtf16(936, utf16.data(), utf16.size()); }

}  // namespace wide
