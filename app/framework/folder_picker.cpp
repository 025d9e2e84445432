#include "app/framework/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

#include "platform/win32/wide.h"

namespace {

constexpr UINT kFileSystemFoldersOnly = BIF_RETURNONLYFSDIRS | BIF_RETURNFSANCESTORS;

// The browser is a COM object; it needs the thread's apartment while it runs.
class ComApartment {
  public:
    ComApartment() : m_initialized(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComApartment() {
        if (m_initialized) ::CoUninitialize();
    }

  private:
    bool m_initialized;
};

// Since Vista the shell hands over paths longer than MAX_PATH through the Ex call;
// looked up, so that Windows XP still starts the program.
bool PathOfItem(LPCITEMIDLIST item, std::wstring& path) {
    using PathFromIdListEx = BOOL(WINAPI*)(LPCITEMIDLIST, PWSTR, DWORD, int);
    HMODULE shell = ::GetModuleHandleW(L"shell32.dll");
    FARPROC found = shell ? ::GetProcAddress(shell, "SHGetPathFromIDListEx") : nullptr;
    std::wstring buffer(32768, L'\0');
    BOOL ok = found ? reinterpret_cast<PathFromIdListEx>(reinterpret_cast<void*>(found))(
                          item, &buffer[0], static_cast<DWORD>(buffer.size()), 0)
                    : ::SHGetPathFromIDListW(item, &buffer[0]);
    if (ok) path = buffer.c_str();
    return ok != FALSE;
}

}  // namespace

bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) {
    ComApartment apartment;
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring shownTitle = wide::FromCp936(title);
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = shownTitle.c_str();
    info.ulFlags = kFileSystemFoldersOnly;

    LPITEMIDLIST chosen = ::SHBrowseForFolderW(&info);
    if (!chosen) return false;
    std::wstring folder;
    bool hasPath = PathOfItem(chosen, folder);
    ::CoTaskMemFree(chosen);
    if (hasPath) path = wide::ToUtf8(folder);
    return hasPath;
}
