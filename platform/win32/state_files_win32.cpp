#include <windows.h>

#include <vector>

#include "platform/state_files.h"
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"

namespace state_files {

std::string Folder() {
    const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    if (size == 0) return std::string();
    std::vector<wchar_t> value(size);
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", value.data(), size);
    if (length == 0 || length >= size) return std::string();
    return wide::ToUtf8(value.data(), length) + "\\Quillet";
}

bool CreateFolders(const std::string& folderPath) {
    // Each level after the drive or the share; a level that exists already is fine.
    for (size_t sep = folderPath.find_first_of("\\/", 3);;
         sep = folderPath.find_first_of("\\/", sep + 1)) {
        system_path::CreateFolder(folderPath.substr(0, sep));
        if (sep == std::string::npos) break;
    }
    const DWORD attributes = system_path::Attributes(folderPath);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFile(const std::string& filePath) {
    return system_path::Delete(filePath);
}

bool ModifiedTime(const std::string& entryPath, int64_t& time) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!system_path::AttributeData(entryPath, data)) return false;
    time = static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime);
    return true;
}

DurableLog::~DurableLog() {
    if (IsOpen()) CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

bool DurableLog::Create(const std::string& filePath, long& osError) {
    const HANDLE h = system_path::Open(filePath, GENERIC_WRITE, FILE_SHARE_READ, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL);
    if (h == INVALID_HANDLE_VALUE) {
        osError = static_cast<long>(GetLastError());
        return false;
    }
    m_handle = reinterpret_cast<intptr_t>(h);
    return true;
}

bool DurableLog::Append(const std::string& text, long& osError) {
    const HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    for (size_t done = 0; done < text.size();) {
        DWORD put = 0;
        if (!WriteFile(h, text.data() + done, static_cast<DWORD>(text.size() - done), &put,
                       nullptr) ||
            put == 0) {
            osError = put == 0 && GetLastError() == 0 ? 112 : static_cast<long>(GetLastError());
            return false;
        }
        done += put;
    }
    if (!FlushFileBuffers(h)) {
        osError = static_cast<long>(GetLastError());
        return false;
    }
    return true;
}

}  // namespace state_files
