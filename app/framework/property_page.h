// One page of a tabbed sheet. Leaving the page saves its fields and may refuse;
// coming back to it loads them again.
#pragma once

#include "app/framework/dialog.h"

class CPropertyPage : public CDialog {
  public:
    // The tab label is the template's caption.
    explicit CPropertyPage(UINT templateId);
    explicit CPropertyPage(const DLGTEMPLATE* dialogTemplate);

    // What the sheet hands to the system for this page.
    const PROPSHEETPAGEW& GetPageRecord() const { return m_psp; }

    // True to show the page. The first showing runs no exchange: the page's
    // initialisation has filled its controls.
    virtual bool OnSetActive();
    // True to let the user leave the page; false keeps it in front.
    virtual bool OnKillActive();

  protected:
    bool OnNotify(NMHDR* header, LRESULT& result) override;

  private:
    PROPSHEETPAGEW m_psp;
    bool m_bFirstSetActive = true;
};
