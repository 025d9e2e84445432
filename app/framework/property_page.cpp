#include "app/framework/property_page.h"

#include "app/framework/win_app.h"

namespace {

PROPSHEETPAGEW PageRecord(CPropertyPage* page) {
    PROPSHEETPAGEW record = {};
    record.dwSize = sizeof(record);
    record.dwFlags = PSP_DEFAULT;
    record.hInstance = AfxGetApp()->m_hInstance;
    record.pfnDlgProc = &CDialog::DialogProc;
    record.lParam = reinterpret_cast<LPARAM>(page);
    return record;
}

}  // namespace

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId), m_psp(PageRecord(this)) {
    m_psp.pszTemplate = MAKEINTRESOURCEW(templateId);
}

CPropertyPage::CPropertyPage(const DLGTEMPLATE* dialogTemplate)
    : CDialog(dialogTemplate), m_psp(PageRecord(this)) {
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.pResource = dialogTemplate;
}

bool CPropertyPage::OnSetActive() {
    if (m_bFirstSetActive) {
        m_bFirstSetActive = false;
    } else {
        UpdateData(false);
    }
    return true;
}

bool CPropertyPage::OnKillActive() {
    return UpdateData(true);
}

bool CPropertyPage::OnNotify(NMHDR* header, LRESULT& result) {
    // The sheet's conventions: 0 shows the page and -1 refuses; TRUE keeps the page.
    switch (header->code) {
        case PSN_SETACTIVE:
            result = OnSetActive() ? 0 : -1;
            return true;
        case PSN_KILLACTIVE:
            result = OnKillActive() ? FALSE : TRUE;
            return true;
        default:
            return false;
    }
}
