// The program's one visible window: four pages and no buttons.
#pragma once

#include "about/about_page.h"
#include "app/framework/property_sheet.h"
#include "app/framework/runtime_class.h"
#include "rename/rename_page.h"
#include "split/merge_page.h"
#include "split/split_page.h"

class CMyPropertySheet : public CPropertySheet {
  public:
    explicit CMyPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CMyPropertySheet() override;

    static const CRuntimeClass classCMyPropertySheet;

  protected:
    bool OnInitDialog() override;

  private:
    void ShowAsProgramWindow();

    HICON m_hSmallIcon = nullptr;
    HICON m_hBigIcon = nullptr;
    CMyPropertyPage1 m_page1;
    CMyPropertyPage2 m_page2;
    CMyPropertyPage3 m_page3;
    CMyPropertyPage5 m_page5;
};
