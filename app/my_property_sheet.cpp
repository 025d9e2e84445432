#include "app/my_property_sheet.h"

#include "app/framework/win_app.h"
#include "res/resource.h"

namespace {

HICON LoadProgramIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(::LoadImageW(
        AfxGetApp()->m_hInstance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
        ::GetSystemMetrics(widthMetric), ::GetSystemMetrics(heightMetric), LR_DEFAULTCOLOR));
}

}  // namespace

const CRuntimeClass CMyPropertySheet::classCMyPropertySheet = {
    "CMyPropertySheet", sizeof(CMyPropertySheet), 0xFFFF, nullptr};

CMyPropertySheet::CMyPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage) {
    m_dwHeaderFlags |= PSH_NOCONTEXTHELP;
    AddPage(&m_page1);
    AddPage(&m_page2);
    AddPage(&m_page3);
    AddPage(&m_page5);
}

CMyPropertySheet::~CMyPropertySheet() {
    if (m_hSmallIcon) ::DestroyIcon(m_hSmallIcon);
    if (m_hBigIcon) ::DestroyIcon(m_hBigIcon);
}

bool CMyPropertySheet::OnInitDialog() {
    bool result = CPropertySheet::OnInitDialog();
    // The sheet is closed with its close box; its buttons would only confuse.
    const int kApplyButton = 12321;
    const int kButtons[] = {kApplyButton, IDHELP, IDOK, IDCANCEL};
    for (int id : kButtons) GetDlgItem(id).ShowWindow(SW_HIDE);
    // A hidden default button still takes Enter and would end the program; Escape stays.
    GetDlgItem(IDOK).EnableWindow(false);
    ShowAsProgramWindow();
    return result;
}

// The host dialog stays the owner, so message boxes keep landing on the sheet; the sheet
// itself is the window a person sees, so it gets the taskbar button, icons and minimize box.
void CMyPropertySheet::ShowAsProgramWindow() {
    const LONG_PTR style = GetStyle();
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style | WS_MINIMIZEBOX) & ~DS_CONTEXTHELP);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (exStyle | WS_EX_APPWINDOW) & ~WS_EX_CONTEXTHELP);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    m_hSmallIcon = LoadProgramIcon(SM_CXSMICON, SM_CYSMICON);
    m_hBigIcon = LoadProgramIcon(SM_CXICON, SM_CYICON);
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hBigIcon));
}
