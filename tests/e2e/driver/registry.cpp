#include "driver/registry.h"

#include <sddl.h>
#include <shlwapi.h>

#include "driver/text.h"

namespace e2e {
namespace {

bool SetValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
              const void* data, DWORD size) {
    HKEY handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const LONG result = RegSetValueExW(handle, name.empty() ? nullptr : name.c_str(), 0, type,
                                       static_cast<const BYTE*>(data), size);
    RegCloseKey(handle);
    return result == ERROR_SUCCESS;
}

bool SetKeySecurity(HKEY key, const wchar_t* sddl) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl, SDDL_REVISION_1, &descriptor,
                                                              nullptr)) {
        return false;
    }
    const bool ok = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor) == ERROR_SUCCESS;
    LocalFree(descriptor);
    return ok;
}

}  // namespace

bool SetString(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::wstring& value) {
    return SetValue(root, key, name, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

bool SetDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value) {
    return SetValue(root, key, name, REG_DWORD, &value, sizeof value);
}

bool SetBinary(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::string& bytes) {
    return SetValue(root, key, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
}

bool DeleteTree(HKEY root, const std::wstring& key) {
    const DWORD result = SHDeleteKeyW(root, key.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    RegCloseKey(handle);
    return true;
}

bool LockKey(HKEY root, const std::wstring& key) {
    HKEY handle;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const bool ok = SetKeySecurity(handle, L"D:P(D;;KW;;;WD)(A;;KRWD;;;WD)");
    RegCloseKey(handle);
    return ok;
}

bool UnlockKey(HKEY root, const std::wstring& key) {
    HKEY handle;
    const LONG opened = RegOpenKeyExW(root, key.c_str(), 0, WRITE_DAC, &handle);
    if (opened == ERROR_FILE_NOT_FOUND) return true;
    if (opened != ERROR_SUCCESS) return false;
    const bool ok = SetKeySecurity(handle, L"D:P(A;;KA;;;WD)");
    RegCloseKey(handle);
    return ok;
}

RegValue ReadValueAnsi(HKEY root, const std::wstring& key, const std::wstring& name) {
    RegValue value;
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return value;
    const std::string ansi_name = ToCodePage(name, CP_ACP);
    const char* value_name = name.empty() ? nullptr : ansi_name.c_str();
    DWORD size = 0;
    if (RegQueryValueExA(handle, value_name, nullptr, &value.type, nullptr, &size) ==
        ERROR_SUCCESS) {
        value.bytes.resize(size);
        value.found =
            RegQueryValueExA(handle, value_name, nullptr, &value.type,
                             reinterpret_cast<BYTE*>(&value.bytes[0]), &size) == ERROR_SUCCESS;
        value.bytes.resize(size);
    }
    RegCloseKey(handle);
    return value;
}

}  // namespace e2e
