#include "app/framework/file_dialog.h"

#include <cstring>

#include "app/framework/win_app.h"
#include "platform/path.h"
#include "platform/text.h"

namespace {

// The explorer-style box needs a hook for the framework's flags; it adds nothing.
UINT_PTR CALLBACK QuietHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// "A|*.a||" -> "A\0*.a\0\0": the system's list of name and pattern pairs.
std::string SystemFilter(const char* filter) {
    std::string result = filter ? filter : "";
    text::CodePage cp = text::SystemCodePage();
    for (size_t pos = 0; pos < result.size(); pos += text::CharLength(result, pos, cp)) {
        if (result[pos] == '|') result[pos] = '\0';
    }
    // The list ends with an empty name even when the caller left out the final "||".
    result.push_back('\0');
    return result;
}

}  // namespace

CFileDialog::CFileDialog(bool openFileDialog, const char* defaultExt, const char* fileName,
                         DWORD flags, const char* filter, HWND parent)
    : m_ofn(),
      m_bOpenFileDialog(openFileDialog),
      m_hParent(parent),
      m_strFilter(SystemFilter(filter)),
      m_strDefaultExt(defaultExt ? defaultExt : "") {
    if (fileName) std::strncpy(m_szFileName, fileName, sizeof(m_szFileName) - 1);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hInstance = AfxGetApp()->m_hInstance;
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
    m_ofn.lpstrDefExt = defaultExt ? m_strDefaultExt.c_str() : nullptr;
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &QuietHook;
}

INT_PTR CFileDialog::DoModal() {
    m_ofn.hwndOwner = AfxGetSafeOwner(m_hParent);
    BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (chosen) return IDOK;
    m_szFileName[0] = '\0';
    m_szFileTitle[0] = '\0';
    return IDCANCEL;
}

// Taken from the full path, not from the system's 64-character title buffer, so that
// long names come out whole.
std::string CFileDialog::GetFileName() const {
    return path::NameOf(m_szFileName);
}

std::string CFileDialog::GetFileTitle() const {
    return path::TitleOf(GetFileName());
}

std::string CFileDialog::GetFileExt() const {
    return path::ExtensionOf(GetFileName());
}
