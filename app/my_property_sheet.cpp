#include "app/my_property_sheet.h"

const CRuntimeClass CMyPropertySheet::classCMyPropertySheet = {
    "CMyPropertySheet", sizeof(CMyPropertySheet), 0xFFFF, nullptr};

CMyPropertySheet::CMyPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage) {
    AddPage(&m_page1);
    AddPage(&m_page2);
    AddPage(&m_page3);
    AddPage(&m_page5);
}

bool CMyPropertySheet::OnInitDialog() {
    bool result = CPropertySheet::OnInitDialog();
    // The sheet is closed with its close box; its buttons would only confuse.
    const int kApplyButton = 12321;
    const int kButtons[] = {kApplyButton, IDHELP, IDOK, IDCANCEL};
    for (int id : kButtons) GetDlgItem(id).ShowWindow(SW_HIDE);
    return result;
}
