// A tabbed sheet of pages, run modally by the system's property sheet.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>
#include <vector>

#include "app/framework/wnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
  public:
    // The caption comes from the string table.
    CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    virtual ~CPropertySheet() = default;
    CPropertySheet(const CPropertySheet&) = delete;
    CPropertySheet& operator=(const CPropertySheet&) = delete;

    // Pages show as tabs in the order they were added.
    void AddPage(CPropertyPage* page);
    // style PSH_PROPTITLE puts the system's word for properties before the title.
    void SetTitle(const std::string& title, UINT style = 0);
    const std::string& GetTitle() const { return m_strCaption; }

    INT_PTR DoModal();
    // A modeless sheet (tests drive sheets this way); DestroyWindow ends it.
    bool Create(HWND parent);
    void DestroyWindow();

  protected:
    // Runs once the sheet's window and buttons exist.
    virtual bool OnInitDialog() { return true; }

    // Added to the flags the sheet is built with (PSH_...).
    DWORD m_dwHeaderFlags = 0;

  private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT msg, LPARAM lParam);
    PROPSHEETHEADERW BuildHeader(HWND owner, DWORD extraFlags);

    std::string m_strCaption;
    std::wstring m_wstrCaption;  // what the system is given while it builds the sheet
    UINT m_nTitleStyle = 0;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;
    std::vector<CPropertyPage*> m_pages;
    std::vector<PROPSHEETPAGEW> m_pageRecords;
};
