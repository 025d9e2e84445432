// A dialog or property page: the object behind one dialog window. Every dialog and
// page shares one dialog procedure, which forwards to the object and is the one place
// where a handler's failure stops and is reported.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "app/framework/file_drop.h"
#include "app/framework/wnd.h"

class CDataExchange;

class CDialog : public CWnd {
  public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    INT_PTR DoModal();
    // A modeless window of the same template (tests drive dialogs this way).
    bool Create(HWND parent);
    void DestroyWindow();
    void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

    // Runs DoDataExchange; false when a value was refused (the user has been told).
    bool UpdateData(bool saveAndValidate = true);

    // The page message box: owned by this window, captioned with the application
    // title, and without an icon unless the caller names one.
    int MessageBox(const std::string& text, UINT type = MB_OK) const;

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  protected:
    // The framework's initialisation: one load exchange. True lets the system set focus.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(CDataExchange* /*pDX*/) {}
    // A command from a control (code is its notification) or a menu; true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
    virtual bool OnNotify(NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    // The window's DPI has changed and its controls are placed again: what the dialog places
    // in pixels itself follows here.
    virtual void OnDpiChanged() {}
    // Files or folders dropped on a window that called AcceptDroppedFiles.
    virtual void OnDropFiles(const std::vector<DroppedEntry>& /*dropped*/) {}
    // Every other message; true when handled, with its result.
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                           LRESULT& /*result*/) {
        return false;
    }

    UINT m_nIDTemplate;
    const DLGTEMPLATE* m_lpDialogTemplate;
    CWnd* m_pParentWnd;

  private:
    bool Dispatch(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool IsOwnControl(HWND hWnd) const;

    bool m_bNotificationsLocked = false;
};
