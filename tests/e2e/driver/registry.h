// Registry set-up and checks of the tests, in the Wine prefix the program under test shares.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

bool SetString(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::wstring& value);
bool SetDword(HKEY root, const std::wstring& key, const std::wstring& name, DWORD value);
bool SetBinary(HKEY root, const std::wstring& key, const std::wstring& name,
               const std::string& bytes);
// Removes a key with everything under it; a missing key is fine.
bool DeleteTree(HKEY root, const std::wstring& key);
bool KeyExists(HKEY root, const std::wstring& key);
// Creates the key if needed and lets everyone only read it and change its permissions, so
// a program's writes fail with access denied. Lasts while the Wine session runs.
bool LockKey(HKEY root, const std::wstring& key);
// Gives everyone full access again; a missing key is fine.
bool UnlockKey(HKEY root, const std::wstring& key);

struct RegValue {
    bool found = false;
    DWORD type = REG_NONE;
    std::string bytes;  // as stored; text values as the ANSI entry points return them
};
// Reads through the ANSI entry point, so text comes back in the system code page.
RegValue ReadValueAnsi(HKEY root, const std::wstring& key, const std::wstring& name);

}  // namespace e2e
