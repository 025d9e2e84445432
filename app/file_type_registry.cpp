#include "app/file_type_registry.h"

#include <cstdint>

#include "platform/win32/wide.h"

namespace file_type_registry {
namespace {

// Key names are not case-sensitive: the flag is read from the key the marker is written to.
const wchar_t kFlagKey[] = L"SOFTWARE\\Microsoft\\Marrowby";
const wchar_t kMarkerKey[] = L"Software\\Microsoft\\Marrowby";

class Key {
  public:
    Key() = default;
    ~Key() {
        if (m_hKey) ::RegCloseKey(m_hKey);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool Open(HKEY root, const wchar_t* subKey) {
        return ::RegOpenKeyExW(root, subKey, 0, KEY_ALL_ACCESS, &m_hKey) == ERROR_SUCCESS;
    }
    bool Create(HKEY root, const wchar_t* subKey) {
        DWORD disposition = 0;
        return ::RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &m_hKey, &disposition) == ERROR_SUCCESS;
    }
    bool SetDword(const wchar_t* name, DWORD value) const {
        return ::RegSetValueExW(m_hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                sizeof(value)) == ERROR_SUCCESS;
    }
    // UTF-8 in, stored as UTF-16; the stored length counts the terminating zero.
    bool SetString(const std::string& value) const {
        const std::wstring stored = wide::FromUtf8(value);
        return ::RegSetValueExW(
                   m_hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(stored.c_str()),
                   static_cast<DWORD>((stored.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    HKEY m_hKey = nullptr;
};

bool WriteDefaultString(HKEY root, const wchar_t* subKey, const std::string& value) {
    Key key;
    return key.Create(root, subKey) && key.SetString(value);
}

}  // namespace

bool RegistrationSuppressed(const Roots& roots) {
    Key key;
    if (!key.Open(roots.machine, kFlagKey)) return false;
    BYTE data[4] = {0, 0, 0, 0};
    DWORD size = sizeof(data);
    // Any type will do; a value longer than 4 bytes fails the query.
    if (::RegQueryValueExW(key.m_hKey, L"sysflag", nullptr, nullptr, data, &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    uint32_t flag = data[0] | data[1] << 8 | data[2] << 16 | static_cast<uint32_t>(data[3]) << 24;
    return flag == 1;
}

bool Register(const std::string& modulePath, const Roots& roots) {
    {
        Key marker;
        if (!marker.Create(roots.machine, kMarkerKey) || !marker.SetDword(L"Installed", 1)) {
            return false;
        }
    }
    return WriteDefaultString(roots.classes, L".spt", "sptfile") &&
           WriteDefaultString(roots.classes, L"sptfile\\DefaultIcon", modulePath + ",0");
}

}  // namespace file_type_registry
