// The application object: its title, main window, wait cursor and message boxes.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
  public:
    // Who shows a message box; tests put a recorder here instead of the system's box.
    using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption,
                                       UINT type);

    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance() { return false; }
    virtual int ExitInstance() { return 0; }

    // Counted: only the end matching the first begin brings the earlier cursor back.
    void BeginWaitCursor();
    void EndWaitCursor();
    int GetWaitCursorCount() const { return m_nWaitCursorCount; }

    // Owner: the main window's last active pop-up, or none before there is a main window.
    // OK, OK/Cancel, Yes/No and Yes/No/Cancel boxes without an icon get the exclamation.
    int DoMessageBox(const std::string& text, UINT type, UINT helpId);
    // The one place where every box of the program is shown.
    int ShowMessageBox(HWND owner, const std::string& text, UINT type) const;

    // "D:\\bin\\tool.v2.exe" -> "tool.v2", in UTF-8 as the path is.
    static std::string TitleFromModulePath(const std::string& modulePath);

    HINSTANCE m_hInstance;
    std::string m_strTitle;  // shown as the program's own texts are, in code page 936
    CWnd* m_pMainWnd = nullptr;
    MessageBoxFunction m_pfnMessageBox;

  private:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();

// The full path of a module of the process (nullptr: the executable), as UTF-8.
std::string ModulePath(HINSTANCE module);

// The window that owns a modal box or dialog: the top-level window of parent; with no
// parent, the last active pop-up of the main window (none before the main window exists).
HWND AfxGetSafeOwner(HWND parent);

// The application message box; helpId has no visible effect.
int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
// The same with a framework text (platform/framework_texts.h) as the message.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
