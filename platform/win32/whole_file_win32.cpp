#include <windows.h>

#include "platform/file_exception.h"
#include "platform/whole_file.h"
#include "platform/win32/system_path.h"

namespace whole_file {

void Sync(const std::string& path) {
    HANDLE file = system_path::Open(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (file == INVALID_HANDLE_VALUE) CFileException::ThrowOsError(GetLastError(), path);
    const bool flushed = FlushFileBuffers(file) != 0;
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (!flushed) CFileException::ThrowOsError(code, path);
}

void Replace(const std::string& from, const std::string& to) {
    if (!system_path::MoveEx(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        CFileException::ThrowOsError(GetLastError(), to);
    }
}

bool Remove(const std::string& path) {
    // A delete of a link that the system shows as a plain file (a POSIX link under a
    // compatibility layer) removes what it points to: an empty file of our own takes
    // the entry's place first.
    if (system_path::Attributes(path) != INVALID_FILE_ATTRIBUTES) {
        CFile entry;
        if (entry.Open(path, CFile::modeReplace | CFile::modeWrite | CFile::shareExclusive)) {
            entry.Abort();
        }
    }
    return system_path::Delete(path);
}

}  // namespace whole_file
