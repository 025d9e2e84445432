// The Merge page: one piece of a series and the file the series is joined into.
#pragma once

#include <string>

#include "app/framework/click_map.h"
#include "app/framework/progress_ctrl.h"
#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"
#include "split/merge_engine.h"

// The page holds the merge's inputs and its state, which carries over from one merge
// to the next.
class CMyPropertyPage2 : public CPropertyPage, public MergeFields, public MergeState {
  public:
    CMyPropertyPage2();

    static const CRuntimeClass classCMyPropertyPage2;

    // The chosen piece's name without its last extension: the output's proposed name.
    std::string m_strPieceTitle;
    CProgressCtrl m_progress;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;
    void OnDpiChanged() override;
    void OnDropFiles(const std::vector<DroppedEntry>& dropped) override;

  private:
    static const ClickMapEntry<CMyPropertyPage2> messageMap[];

    void OnBrowsePiece();
    void TakePiece(const std::string& path);
    void OnChooseOutput();
    void OnMerge();
};
