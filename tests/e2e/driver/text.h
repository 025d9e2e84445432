// Conversions between the driver's wide texts and the bytes that files and the program use.
#pragma once

#include <string>

namespace e2e {

std::wstring FromUtf8(const std::string& bytes);
std::string ToUtf8(const std::wstring& text);
// Bytes in a given code page (936 for the program's own texts).
std::string ToCodePage(const std::wstring& text, unsigned code_page);
std::wstring FromCodePage(const std::string& bytes, unsigned code_page);

// Wine maps the Unix root to drive Z:, so /a/b is Z:\a\b.
std::wstring WindowsPathFromUnix(const std::string& unix_path);
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace e2e
