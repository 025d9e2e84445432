#include "driver/text.h"

#include <windows.h>

namespace e2e {

std::wstring FromCodePage(const std::string& bytes, unsigned code_page) {
    if (bytes.empty()) return std::wstring();
    const int n =
        MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(code_page, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

std::string ToCodePage(const std::wstring& text, unsigned code_page) {
    if (text.empty()) return std::string();
    const int n = WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& bytes) {
    return FromCodePage(bytes, CP_UTF8);
}
std::string ToUtf8(const std::wstring& text) {
    return ToCodePage(text, CP_UTF8);
}

std::wstring WindowsPathFromUnix(const std::string& unix_path) {
    std::wstring path = L"Z:" + FromUtf8(unix_path);
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

}  // namespace e2e
