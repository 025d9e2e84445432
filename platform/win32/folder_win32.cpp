#include <windows.h>

#include "platform/folder.h"
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"

namespace folder {
namespace {

Entry ToEntry(const WIN32_FIND_DATAW& data) {
    Entry e;
    e.name = wide::ToUtf8(data.cFileName, wcslen(data.cFileName));
    e.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    e.isHidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
    return e;
}

// Opened with no access at all, a handle only identifies the entry; folders need the
// backup flag to be opened. Without the link's own flag, a link is followed.
HANDLE OpenForIdentity(const std::string& p, DWORD linkFlag) {
    return system_path::Open(p, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | linkFlag);
}

uint64_t Ticks(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

bool IdentifyOpened(const std::string& path, DWORD linkFlag, FileIdentity& identity) {
    identity = FileIdentity();
    HANDLE h = OpenForIdentity(path, linkFlag);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    BOOL ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    if (!ok) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.isDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    identity.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.modified = Ticks(info.ftLastWriteTime);
    // Wine reports a folder's last write as its creation, which changes with what the
    // folder holds; NTFS numbers a folder made again anew anyway.
    identity.created = identity.isDirectory ? 0 : Ticks(info.ftCreationTime);
    return true;
}

}  // namespace

bool List(const std::string& folderPath, std::vector<Entry>& entries) {
    entries.clear();
    WIN32_FIND_DATAW data;
    HANDLE find = system_path::FindFirst(folderPath + "\\*", data);
    if (find == INVALID_HANDLE_VALUE) return false;
    do {
        entries.push_back(ToEntry(data));
    } while (FindNextFileW(find, &data));
    const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
    FindClose(find);
    if (!whole) entries.clear();
    return whole;
}

bool Create(const std::string& folderPath, long* osError) {
    const bool ok = system_path::CreateFolder(folderPath);
    if (osError) *osError = ok ? 0 : static_cast<long>(GetLastError());
    return ok;
}

bool Identify(const std::string& path, FileIdentity& identity) {
    return IdentifyOpened(path, FILE_FLAG_OPEN_REPARSE_POINT, identity);
}

bool IdentifyTarget(const std::string& path, FileIdentity& identity) {
    return IdentifyOpened(path, 0, identity);
}

std::string Resolve(const std::string& folderPath) {
    const std::wstring full = system_path::Full(wide::FromUtf8(folderPath));
    return full.empty() ? folderPath : wide::ToUtf8(full);
}

bool NameTooLong(const std::string& name) {
    return wide::FromUtf8(name).size() > 255;
}

std::string StoredName(const std::string& name) {
    const size_t end = name.find_last_not_of(". ");
    return end == std::string::npos ? std::string() : name.substr(0, end + 1);
}

std::string NameKey(const std::string& name) {
    std::wstring key = wide::FromUtf8(StoredName(name));
    if (!key.empty()) CharUpperBuffW(&key[0], static_cast<DWORD>(key.size()));
    return wide::ToUtf8(key);
}

}  // namespace folder
