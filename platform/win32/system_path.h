// The one way the program reaches the Windows file system: every call that takes a
// path is made here, from a UTF-8 path. A path whose full form is 260 characters or
// more goes to the system absolute with the "\\?\" prefix, which lifts the limit but
// also every normalisation, so it is normalised first; however short the typed path.
// The calls keep the system's own results and last error.
#pragma once

#include <windows.h>

#include <string>

namespace system_path {

// The full path of path, however long (empty when the system cannot make one).
std::wstring Full(const std::wstring& path);

// The form of a UTF-8 path that the calls below hand the system.
std::wstring ForCall(const std::string& utf8Path);

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD creation,
            DWORD flagsAndAttributes);
HANDLE FindFirst(const std::string& pattern, WIN32_FIND_DATAW& data);
bool Move(const std::string& from, const std::string& to);
bool MoveEx(const std::string& from, const std::string& to, DWORD flags);
bool Delete(const std::string& path);
bool CreateFolder(const std::string& path);
DWORD Attributes(const std::string& path);
bool AttributeData(const std::string& path, WIN32_FILE_ATTRIBUTE_DATA& data);

}  // namespace system_path
