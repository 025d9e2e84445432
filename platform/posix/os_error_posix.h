// errno values translated into the Windows system codes that the file-error causes
// are defined on, so both systems report a failure with the same message.
#pragma once

#include <string>

namespace os_error {

long FromErrno(int err);

// As FromErrno, but a missing entry whose folder is missing too is Windows' "path not
// found" (3) rather than "file not found" (2).
long FromErrnoForPath(int err, const std::string& path);

// Raises the file error for err; the name may be empty.
[[noreturn]] void ThrowErrno(int err, const std::string& fileName = std::string());

}  // namespace os_error
