// Paths as the wide file-system calls take them. A path may be longer than the 260
// characters the plain calls accept; such a path is made absolute and given the "\\?\"
// prefix, which lifts the limit but also every normalisation, so it is normalised first.
#pragma once

#include <string>

namespace system_path {

// The UTF-8 path for a wide call: unchanged but for the conversion while it is short.
std::wstring ForCall(const std::string& utf8Path);

// The full path of path, however long (empty when the system cannot make one).
std::wstring Full(const std::wstring& path);

}  // namespace system_path
