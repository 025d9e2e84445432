#include "app/framework/dialog.h"

#include <new>

#include "app/framework/chinese_font.h"
#include "app/framework/data_exchange.h"
#include "app/framework/exception_report.h"
#include "app/framework/user_exception.h"
#include "app/framework/win_app.h"
#include "platform/framework_texts.h"

namespace {

// Pages reach WM_INITDIALOG with their PROPSHEETPAGE, whose lParam is the object. Plain
// dialogs are created with one too, so that one procedure finds every object alike.
PROPSHEETPAGEW CreationRecord(CDialog* dialog) {
    PROPSHEETPAGEW record = {};
    record.dwSize = sizeof(record);
    record.lParam = reinterpret_cast<LPARAM>(dialog);
    return record;
}

// WM_DPICHANGED_AFTERPARENT, which older headers lack.
constexpr UINT kDpiChangedAfterParent = 0x02E3;

// These messages return their result directly instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}

class NotificationLock {
  public:
    explicit NotificationLock(bool& locked) : m_locked(locked), m_previous(locked) {
        m_locked = true;
    }
    ~NotificationLock() { m_locked = m_previous; }

  private:
    bool& m_locked;
    bool m_previous;
};

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId), m_lpDialogTemplate(nullptr), m_pParentWnd(parent) {}

CDialog::CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
    : m_nIDTemplate(0), m_lpDialogTemplate(dialogTemplate), m_pParentWnd(parent) {}

CDialog::~CDialog() {
    DestroyWindow();
}

INT_PTR CDialog::DoModal() {
    PROPSHEETPAGEW record = CreationRecord(this);
    HWND owner = AfxGetSafeOwner(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
    HINSTANCE instance = AfxGetApp()->m_hInstance;
    LPARAM param = reinterpret_cast<LPARAM>(&record);
    INT_PTR result =
        m_lpDialogTemplate
            ? ::DialogBoxIndirectParamW(instance, m_lpDialogTemplate, owner, DialogProc, param)
            : ::DialogBoxParamW(instance, MAKEINTRESOURCEW(m_nIDTemplate), owner, DialogProc,
                                param);
    m_hWnd = nullptr;
    return result;
}

bool CDialog::Create(HWND parent) {
    PROPSHEETPAGEW record = CreationRecord(this);
    HINSTANCE instance = AfxGetApp()->m_hInstance;
    LPARAM param = reinterpret_cast<LPARAM>(&record);
    HWND hWnd = m_lpDialogTemplate ? ::CreateDialogIndirectParamW(instance, m_lpDialogTemplate,
                                                                  parent, DialogProc, param)
                                   : ::CreateDialogParamW(instance, MAKEINTRESOURCEW(m_nIDTemplate),
                                                          parent, DialogProc, param);
    return hWnd != nullptr;
}

void CDialog::DestroyWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

bool CDialog::UpdateData(bool saveAndValidate) {
    // Texts set during a load would otherwise come back as change notifications.
    NotificationLock lock(m_bNotificationsLocked);
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
        return true;
    } catch (const CUserException&) {
        // The exchange has shown its message and put the focus on the control.
    } catch (const CException& e) {
        ReportError(e, MB_ICONEXCLAMATION, framework_text::kInternalFailure);
    } catch (const std::bad_alloc&) {
        ReportError(CMemoryException(), MB_ICONEXCLAMATION, framework_text::kInternalFailure);
    }
    return false;
}

int CDialog::MessageBox(const std::string& text, UINT type) const {
    return AfxGetApp()->ShowMessageBox(m_hWnd, text, type);
}

bool CDialog::IsOwnControl(HWND hWnd) const {
    return hWnd && ::GetParent(hWnd) == m_hWnd;
}

bool CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_INITDIALOG:
            UseChineseFontWhereNeeded(m_hWnd);
            result = OnInitDialog();
            return true;
        case WM_COMMAND:
            if (m_bNotificationsLocked && IsOwnControl(reinterpret_cast<HWND>(lParam))) return true;
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: {
            NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
            if (m_bNotificationsLocked && IsOwnControl(header->hwndFrom)) return true;
            return OnNotify(header, result);
        }
        case WM_DROPFILES:
            OnDropFiles(TakeDroppedFiles(reinterpret_cast<HDROP>(wParam)));
            result = 0;
            return true;
        case kDpiChangedAfterParent:
            OnDpiChanged();
            return OnMessage(msg, wParam, lParam, result);
        default:
            return OnMessage(msg, wParam, lParam, result);
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog = nullptr;
    if (msg == WM_INITDIALOG) {
        const PROPSHEETPAGEW* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        dialog = reinterpret_cast<CDialog*>(record->lParam);
        dialog->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    } else {
        dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    }
    if (!dialog) return FALSE;

    LRESULT result = 0;
    bool handled = false;
    try {
        handled = dialog->Dispatch(msg, wParam, lParam, result);
    } catch (...) {
        // No exception may unwind through the system's frames: report it here instead.
        ReportHandlerFailure(FallbackTextFor(msg, lParam));
        handled = true;
        result = msg == WM_INITDIALOG ? TRUE : 0;
    }

    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
    }
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(msg)) return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
