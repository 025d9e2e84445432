#include "app/framework/data_exchange.h"

#include "app/framework/dialog.h"
#include "app/framework/user_exception.h"
#include "app/framework/win_app.h"
#include "platform/framework_texts.h"
#include "platform/number_parse.h"
#include "platform/text.h"
#include "platform/win32/wide.h"

namespace {

// Rewriting an unchanged text would only make the control flicker.
void SetTextIfChanged(HWND control, const std::wstring& value) {
    const CWnd window(control);
    if (window.GetWindowText() != value) window.SetWindowText(value);
}

// Numbers are judged on the first characters of the field only, as bytes of the
// program's code page (a full-width digit is no digit there).
std::string NumberFieldText(HWND control) {
    wchar_t buffer[number_parse::kMaxFieldChars + 1] = {};
    ::GetWindowTextW(control, buffer, number_parse::kMaxFieldChars + 1);
    return wide::ToCp936(buffer);
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT textId) {
    AfxMessageBox(textId, MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id) {
    m_hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int id) {
    PrepareCtrl(id);
    m_bEditLastControl = true;
    return m_hWndLastControl;
}

void CDataExchange::Fail() {
    if (m_bSaveAndValidate && m_bEditLastControl && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageW(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int id, std::string& value) {
    HWND control = pDX->PrepareEditCtrl(id);
    // The field keeps the whole text as UTF-8, as the program keeps every name.
    if (pDX->m_bSaveAndValidate) {
        value = wide::ToUtf8(CWnd(control).GetWindowText());
    } else {
        SetTextIfChanged(control, wide::FromUtf8(value));
    }
}

void DDX_Text(CDataExchange* pDX, int id, int32_t& value) {
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(control, wide::FromCp936(number_parse::FormatInteger(value)));
        return;
    }
    int32_t parsed = 0;
    if (!number_parse::ParseInteger(NumberFieldText(control), parsed)) {
        FailWith(pDX, framework_text::kParseInteger);
    }
    value = parsed;
}

void DDX_Text(CDataExchange* pDX, int id, float& value) {
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        SetTextIfChanged(control, wide::FromCp936(number_parse::FormatReal(value)));
        return;
    }
    float parsed = 0;
    if (!number_parse::ParseReal(NumberFieldText(control), parsed)) {
        FailWith(pDX, framework_text::kParseReal);
    }
    value = parsed;
}

void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minValue, float maxValue) {
    if (!pDX->m_bSaveAndValidate || (minValue <= value && value <= maxValue)) return;
    std::string prompt = framework_text::Get(framework_text::kRealRange);
    text::Replace(prompt, "%1", number_parse::FormatReal(minValue));
    text::Replace(prompt, "%2", number_parse::FormatReal(maxValue));
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, framework_text::kRealRange);
    pDX->Fail();
}
