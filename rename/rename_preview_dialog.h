// What "执行操作" would do, shown before it does it: every rename of the plan in the
// run's order, and where the run would refuse or stop, with why.
#pragma once

#include "app/framework/dialog.h"
#include "rename/rename_plan.h"

class CRenamePreviewDialog : public CDialog {
  public:
    CRenamePreviewDialog(const RenamePlan& plan, CWnd* parent);

  protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code) override;

  private:
    void AddRow(const std::wstring& rename, const std::wstring& note);

    const RenamePlan& m_plan;
    HWND m_list = nullptr;
    int m_rows = 0;
};
