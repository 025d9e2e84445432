// The Batch rename page: a folder, the kind of entries, and one naming rule.
#pragma once

#include <cstdint>

#include "app/framework/click_map.h"
#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"
#include "rename/rename_settings.h"

// The page's stored fields are the run's settings themselves, so a run reads them as
// the last exchange left them.
class CMyPropertyPage3 : public CPropertyPage, public RenameSettings {
  public:
    CMyPropertyPage3();

    static const CRuntimeClass classCMyPropertyPage3;

    int32_t m_nSerial = 0;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnDropFiles(const std::vector<DroppedEntry>& dropped) override;

  private:
    static const ClickMapEntry<CMyPropertyPage3> messageMap[];

    void OnBrowseFolder();
    void OnFilesOnly();
    void OnFoldersOnly();
    void OnExecute();
    void OnViewResult();
    void OnChangeName();
    void OnChangeExt();
    void OnNumberFirst();
    void OnReplaceText();
    void OnPreview();
    void OnUndo();
};
