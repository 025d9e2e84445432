#include "app/framework/folder_picker.h"

#include <objbase.h>
#include <shlobj.h>

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

}  // namespace

bool BrowseForFolder(HWND owner, const std::string& title, std::string& path) {
    ComApartment apartment;
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = kFileSystemFoldersOnly;

    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);
    if (!chosen) return false;
    char folder[MAX_PATH] = {};
    bool hasPath = ::SHGetPathFromIDListA(chosen, folder) != FALSE;
    ::CoTaskMemFree(chosen);
    if (hasPath) path = folder;
    return hasPath;
}
