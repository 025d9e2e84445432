#include "app/framework/win_app.h"

#include "app/framework/wnd.h"
#include "platform/framework_texts.h"
#include "platform/path.h"
#include "platform/text.h"
#include "platform/win32/wide.h"

namespace {

CWinApp* g_pApp = nullptr;

int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxW(owner, wide::FromCp936(text).c_str(), wide::FromCp936(caption).c_str(),
                         type);
}

bool WantsDefaultIcon(UINT type) {
    if (type & MB_ICONMASK) return false;
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_OK || buttons == MB_OKCANCEL || buttons == MB_YESNO ||
           buttons == MB_YESNOCANCEL;
}

}  // namespace

CWinApp::CWinApp()
    : m_hInstance(::GetModuleHandleW(nullptr)),
      m_strTitle(text::ForDisplay(TitleFromModulePath(ModulePath(m_hInstance)))),
      m_pfnMessageBox(&SystemMessageBox) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

std::string CWinApp::TitleFromModulePath(const std::string& modulePath) {
    return path::TitleOf(path::NameOf(modulePath));
}

void CWinApp::BeginWaitCursor() {
    HCURSOR previous = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (++m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = previous;
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0) return;
    if (--m_nWaitCursorCount == 0) ::SetCursor(m_hcurWaitCursorRestore);
}

int CWinApp::DoMessageBox(const std::string& text, UINT type, UINT /*helpId*/) {
    if (WantsDefaultIcon(type)) type |= MB_ICONEXCLAMATION;
    return ShowMessageBox(AfxGetSafeOwner(nullptr), text, type);
}

int CWinApp::ShowMessageBox(HWND owner, const std::string& text, UINT type) const {
    return m_pfnMessageBox(owner, text.c_str(), m_strTitle.c_str(), type);
}

std::string ModulePath(HINSTANCE module) {
    // The buffer grows until the whole path fits: a long path is never cut.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = ::GetModuleFileNameW(module, &buffer[0], static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return wide::ToUtf8(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

HWND AfxGetSafeOwner(HWND parent) {
    HWND owner = parent;
    if (!owner && g_pApp && g_pApp->m_pMainWnd) owner = g_pApp->m_pMainWnd->m_hWnd;
    // A pop-up cannot be owned by a child window.
    while (owner && (::GetWindowLongPtrW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    if (!parent && owner) owner = ::GetLastActivePopup(owner);
    return owner;
}

int AfxMessageBox(const std::string& text, UINT type, UINT helpId) {
    return AfxGetApp()->DoMessageBox(text, type, helpId);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId) {
    if (helpId == static_cast<UINT>(-1)) helpId = textId;
    return AfxMessageBox(framework_text::Get(static_cast<int>(textId)), type, helpId);
}
