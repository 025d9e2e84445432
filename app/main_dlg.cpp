#include "app/main_dlg.h"

#include "app/app_texts.h"
#include "app/framework/win_app.h"
#include "app/my_property_sheet.h"
#include "res/resource.h"

CMainDlg::CMainDlg()
    : CDialog(IDD_MAIN),
      m_hIcon(::LoadIconW(AfxGetApp()->m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

bool CMainDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    // Ended before it is ever shown: the system hides it and its modal loop never runs.
    EndDialog(IDCANCEL);
    RunSheet();
    return true;
}

void CMainDlg::RunSheet() {
    CMyPropertySheet sheet(IDS_PROPSHT_CAPTION);
    sheet.SetTitle(app_text::kSheetTitle);
    sheet.DoModal();
}
