#include <windows.h>

#include "platform/file_exception.h"
#include "platform/whole_file.h"
#include "platform/win32/wide.h"

namespace whole_file {

void Sync(const std::string& path) {
    HANDLE file =
        CreateFileW(wide::FromUtf8(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) CFileException::ThrowOsError(GetLastError(), path);
    const bool flushed = FlushFileBuffers(file) != 0;
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!flushed) CFileException::ThrowOsError(code, path);
}

void Replace(const std::string& from, const std::string& to) {
    if (!MoveFileExW(wide::FromUtf8(from).c_str(), wide::FromUtf8(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        CFileException::ThrowOsError(GetLastError(), to);
    }
}

bool Remove(const std::string& path) {
    // A delete of a link that the system shows as a plain file (a POSIX link under a
    // compatibility layer) removes what it points to: an empty file of our own takes
    // the entry's place first.
    if (GetFileAttributesW(wide::FromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES) {
        CFile entry;
        if (entry.Open(path, CFile::modeReplace | CFile::modeWrite | CFile::shareExclusive)) {
            entry.Abort();
        }
    }
    return DeleteFileW(wide::FromUtf8(path).c_str()) != 0;
}

}  // namespace whole_file
