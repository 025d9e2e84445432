#include "driver/screen_dpi.h"

#include <cstring>

namespace e2e {
namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kLogPixels[] = L"LogPixels";

}  // namespace

ScreenDpi::ScreenDpi(DWORD dpi)
    : m_previous(ReadValueAnsi(HKEY_CURRENT_USER, kDesktopKey, kLogPixels)),
      m_ok(SetDword(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, dpi)) {}

ScreenDpi::~ScreenDpi() {
    if (m_previous.found && m_previous.type == REG_DWORD && m_previous.bytes.size() == 4) {
        DWORD dpi = 0;
        memcpy(&dpi, m_previous.bytes.data(), 4);
        SetDword(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, dpi);
        return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, kLogPixels);
        RegCloseKey(key);
    }
}

}  // namespace e2e
