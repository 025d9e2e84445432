#include "app/framework/win_app.h"

#include "app/framework/wnd.h"
#include "platform/framework_texts.h"
#include "platform/path.h"

namespace {

CWinApp* g_pApp = nullptr;

int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

std::string ModulePath(HINSTANCE module) {
    char buffer[MAX_PATH] = {};
    DWORD length = ::GetModuleFileNameA(module, buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : MAX_PATH);
}

bool WantsDefaultIcon(UINT type) {
    if (type & MB_ICONMASK) return false;
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_OK || buttons == MB_OKCANCEL || buttons == MB_YESNO ||
           buttons == MB_YESNOCANCEL;
}

}  // namespace

CWinApp::CWinApp()
    : m_hInstance(::GetModuleHandleA(nullptr)),
      m_strTitle(TitleFromModulePath(ModulePath(m_hInstance))),
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

CWinApp* AfxGetApp() {
    return g_pApp;
}

HWND AfxGetSafeOwner(HWND parent) {
    HWND owner = parent;
    if (!owner && g_pApp && g_pApp->m_pMainWnd) owner = g_pApp->m_pMainWnd->m_hWnd;
    // A pop-up cannot be owned by a child window.
    while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
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
