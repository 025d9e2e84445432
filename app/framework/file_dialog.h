// The system's file-open and file-save boxes, one object per use.
#pragma once

// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <string>
#include <vector>

class CFileDialog {
  public:
    // filter: "Name|pattern|Name|pattern||", one of the program's own texts. fileName: the
    // initial name, UTF-8. The owner is the first window above parent that is not a
    // child, so the box is modal to the whole sheet.
    CFileDialog(bool openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                HWND parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL; after a cancel no path is offered.
    INT_PTR DoModal();

    // The chosen path, whole, as UTF-8.
    std::string GetPathName() const;
    // The name part of the path: "D:\\v\\a.b.c" -> "a.b.c".
    std::string GetFileName() const;
    // The name without the part from its last dot: "a.b.c" -> "a.b".
    std::string GetFileTitle() const;
    // The text after the last dot of the name; empty when there is none.
    std::string GetFileExt() const;

    // As long as the longest path Windows takes, so no chosen path is cut.
    static constexpr DWORD kMaxPathChars = 32768;

    OPENFILENAMEW m_ofn;

  private:
    bool m_bOpenFileDialog;
    HWND m_hParent;
    std::wstring m_strFilter;
    std::wstring m_strDefaultExt;
    std::vector<wchar_t> m_szFileName;
    wchar_t m_szFileTitle[64] = {};
};
