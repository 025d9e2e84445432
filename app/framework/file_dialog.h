// The system's file-open and file-save boxes, one object per use.
#pragma once

// clang-format off
#include <windows.h>
#include <commdlg.h>
// clang-format on

#include <string>

class CFileDialog {
  public:
    // filter: "Name|pattern|Name|pattern||". The owner is the first window above parent
    // that is not a child, so the box is modal to the whole sheet.
    CFileDialog(bool openFileDialog, const char* defaultExt = nullptr,
                const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                HWND parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK or IDCANCEL; after a cancel no path is offered.
    INT_PTR DoModal();

    std::string GetPathName() const { return m_szFileName; }
    // The name part of the path: "D:\\v\\a.b.c" -> "a.b.c".
    std::string GetFileName() const;
    // The name without the part from its last dot: "a.b.c" -> "a.b".
    std::string GetFileTitle() const;
    // The text after the last dot of the name; empty when there is none.
    std::string GetFileExt() const;

    OPENFILENAMEA m_ofn;

  private:
    bool m_bOpenFileDialog;
    HWND m_hParent;
    std::string m_strFilter;
    std::string m_strDefaultExt;
    char m_szFileName[MAX_PATH] = {};
    char m_szFileTitle[64] = {};
};
