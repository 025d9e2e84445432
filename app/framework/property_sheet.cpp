#include "app/framework/property_sheet.h"

#include "app/framework/chinese_font.h"
#include "app/framework/exception_report.h"
#include "app/framework/property_page.h"
#include "app/framework/session_end.h"
#include "app/framework/win_app.h"
#include "app/framework/window_dpi.h"
#include "platform/framework_texts.h"
#include "platform/win32/wide.h"

namespace {

// The sheet callback carries no object, and it runs only inside the call that creates
// the sheet, on the one user-interface thread: that call names the sheet here.
CPropertySheet* g_pSheetStarting = nullptr;

// Kept as the program keeps its own texts, in code page 936.
std::string LoadResourceString(UINT id) {
    wchar_t buffer[256] = {};
    int length = ::LoadStringW(AfxGetApp()->m_hInstance, id, buffer, 256);
    return wide::ToCp936(std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0));
}

class StartingSheet {
  public:
    explicit StartingSheet(CPropertySheet* sheet) : m_previous(g_pSheetStarting) {
        g_pSheetStarting = sheet;
    }
    ~StartingSheet() { g_pSheetStarting = m_previous; }

  private:
    CPropertySheet* m_previous;
};

}  // namespace

CPropertySheet::CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : m_strCaption(LoadResourceString(captionId)), m_pParentWnd(parent), m_nStartPage(selectPage) {}

void CPropertySheet::AddPage(CPropertyPage* page) {
    m_pages.push_back(page);
}

void CPropertySheet::SetTitle(const std::string& title, UINT style) {
    m_strCaption = title;
    m_nTitleStyle = style & PSH_PROPTITLE;
    if (!m_hWnd) return;
    const std::wstring shown = wide::FromCp936(m_strCaption);
    ::SendMessageW(m_hWnd, PSM_SETTITLEW, m_nTitleStyle, reinterpret_cast<LPARAM>(shown.c_str()));
}

PROPSHEETHEADERW CPropertySheet::BuildHeader(HWND owner, DWORD extraFlags) {
    m_pageRecords.clear();
    for (CPropertyPage* page : m_pages) m_pageRecords.push_back(page->GetPageRecord());

    m_wstrCaption = wide::FromCp936(m_strCaption);
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof(header);
    header.dwFlags =
        PSH_PROPSHEETPAGE | PSH_USECALLBACK | m_nTitleStyle | m_dwHeaderFlags | extraFlags;
    header.hwndParent = owner;
    header.hInstance = AfxGetApp()->m_hInstance;
    header.pszCaption = m_wstrCaption.c_str();
    header.nPages = static_cast<UINT>(m_pageRecords.size());
    header.nStartPage = m_nStartPage;
    header.ppsp = m_pageRecords.data();
    header.pfnCallback = &SheetCallback;
    return header;
}

INT_PTR CPropertySheet::DoModal() {
    PROPSHEETHEADERW header =
        BuildHeader(AfxGetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr), 0);
    INT_PTR result;
    {
        StartingSheet starting(this);
        result = ::PropertySheetW(&header);
    }
    m_hWnd = nullptr;
    return result;
}

bool CPropertySheet::Create(HWND parent) {
    PROPSHEETHEADERW header = BuildHeader(parent, PSH_MODELESS);
    StartingSheet starting(this);
    return ::PropertySheetW(&header) > 0;
}

void CPropertySheet::DestroyWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

int CALLBACK CPropertySheet::SheetCallback(HWND hWnd, UINT msg, LPARAM /*lParam*/) {
    if (msg != PSCB_INITIALIZED || !g_pSheetStarting) return 0;
    CPropertySheet* sheet = g_pSheetStarting;
    sheet->m_hWnd = hWnd;
    RefuseSessionEndWhileBlocked(hWnd);
    TakeSuggestedRectOnDpiChange(hWnd);
    UseChineseFontWhereNeeded(hWnd);  // the tab labels
    try {
        sheet->OnInitDialog();
    } catch (...) {
        // No exception may unwind through the system's frames.
        ReportHandlerFailure(framework_text::kInternalFailure);
    }
    return 0;
}
