// The host dialog: never shown, it runs the sheet from its own initialisation and is
// the application's main window meanwhile, owning the sheet and the message boxes.
#pragma once

#include "app/framework/dialog.h"

class CMainDlg : public CDialog {
  public:
    CMainDlg();

    void RunSheet();

  protected:
    bool OnInitDialog() override;

    HICON m_hIcon;
};
