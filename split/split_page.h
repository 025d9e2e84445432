// The Split page: a source file and a target folder, cut into numbered pieces.
#pragma once

#include "app/framework/click_map.h"
#include "app/framework/progress_ctrl.h"
#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"
#include "platform/file.h"
#include "split/split_engine.h"

// The page's stored fields are the split's own, so a split reads them as the last
// exchange left them.
class CMyPropertyPage1 : public CPropertyPage, public SplitFields {
  public:
    CMyPropertyPage1();

    static const CRuntimeClass classCMyPropertyPage1;

    // Held open, unshared, from the choice until a split has read it.
    CFile m_fileSource;
    CProgressCtrl m_progress;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnDpiChanged() override;
    void OnDropFiles(const std::vector<DroppedEntry>& dropped) override;

  private:
    static const ClickMapEntry<CMyPropertyPage1> messageMap[];

    void OnBrowseSource();
    // The source as its picker gives it: held open, measured, a folder proposed.
    void TakeSource(const std::string& path);
    void OnBrowseTarget();
    void OnSplit();
    void OnByChunkSize();
    void OnByPartCount();
};
