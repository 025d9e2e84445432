// The edges between the program's byte strings and Windows' UTF-16: names and paths
// are UTF-8 inside the program, its own texts code page 936 bytes. Nothing here
// converts through the system's ANSI code page.
#pragma once

#include <string>

namespace wide {

// UTF-8 to UTF-16 and back. Invalid UTF-8 becomes U+FFFD; an unpaired surrogate from
// the system comes back as U+FFFD too, since UTF-8 cannot hold it.
std::wstring FromUtf8(const std::string& utf8);
std::string ToUtf8(const std::wstring& utf16);
std::string ToUtf8(const wchar_t* utf16, size_t length);

// The program's own texts: code page 936 bytes to UTF-16 for showing them, and UTF-16
// to 936 where a text must be kept as the program's bytes ("?" for what 936 lacks).
std::wstring FromCp936(const std::string& cp936);
std::string ToCp936(const std::wstring& utf16);

}  // namespace wide
