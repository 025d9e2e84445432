#include "app/main_app.h"

#include <windows.h>

#include "app/app_texts.h"
#include "app/file_type_registry.h"
#include "app/framework/shell_open.h"
#include "app/main_dlg.h"

bool CMainApp::InitInstance() {
    // Never closed: the handle keeps later starts out for as long as this one runs.
    HANDLE instanceMutex = ::CreateMutexW(nullptr, FALSE, L"Quillet");
    if (!instanceMutex) return false;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        AfxMessageBox(app_text::kAlreadyRunning);
        return false;
    }

    m_strModulePath = ModulePath(nullptr);
    if (!ReadInstallFlag()) RegisterFileType();

    CMainDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    ShellOpen(app_text::kExitPage);
    m_pMainWnd = nullptr;
    return false;
}

bool CMainApp::ReadInstallFlag() {
    return file_type_registry::RegistrationSuppressed();
}

bool CMainApp::RegisterFileType() {
    return file_type_registry::Register(m_strModulePath);
}
