#include "app/framework/file_dialog.h"

#include <algorithm>

#include "app/framework/win_app.h"
#include "platform/path.h"
#include "platform/win32/wide.h"

namespace {

// The explorer-style box needs a hook for the framework's flags; it adds nothing.
UINT_PTR CALLBACK QuietHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// "A|*.a||" -> "A\0*.a\0\0": the system's list of name and pattern pairs. In UTF-16 no
// part of a character can be taken for a "|".
std::wstring SystemFilter(const char* filter) {
    std::wstring result = wide::FromCp936(filter ? filter : "");
    std::replace(result.begin(), result.end(), L'|', L'\0');
    // The list ends with an empty name even when the caller left out the final "||".
    result.push_back(L'\0');
    return result;
}

}  // namespace

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, HWND parent)
    : m_ofn(),
      m_bOpenFileDialog(openFileDialog),
      m_hParent(parent),
      m_strFilter(SystemFilter(filter)),
      m_strDefaultExt(wide::FromCp936(defaultExt ? defaultExt : "")),
      m_szFileName(kMaxPathChars, L'\0') {
    if (fileName) {
        const std::wstring initial = wide::FromUtf8(fileName);
        std::copy_n(initial.begin(), std::min<size_t>(initial.size(), kMaxPathChars - 1),
                    m_szFileName.begin());
    }
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hInstance = AfxGetApp()->m_hInstance;
    m_ofn.lpstrFilter = m_strFilter.size() > 1 ? m_strFilter.c_str() : nullptr;
    m_ofn.lpstrFile = m_szFileName.data();
    m_ofn.nMaxFile = kMaxPathChars;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = 64;
    m_ofn.lpstrDefExt = defaultExt ? m_strDefaultExt.c_str() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &QuietHook;
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = AfxGetSafeOwner(m_hParent);
    BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    if (chosen) return IDOK;
    m_szFileName[0] = L'\0';
    m_szFileTitle[0] = L'\0';
    return IDCANCEL;
}

std::string CFileDialog::GetPathName() const {
    return wide::ToUtf8(std::wstring(m_szFileName.data()));
}

// Taken from the full path, not from the system's 64-character title buffer, so that
// long names come out whole.
std::string CFileDialog::GetFileName() const {
    return path::NameOf(GetPathName());
}

std::string CFileDialog::GetFileTitle() const {
    return path::TitleOf(GetFileName());
}

std::string CFileDialog::GetFileExt() const {
    return path::ExtensionOf(GetFileName());
}
