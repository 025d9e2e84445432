#include "rename/rename_preview_dialog.h"

#include <string>

#include "platform/win32/wide.h"
#include "rename/rename_texts.h"
#include "res/resource.h"

namespace {

void AddColumn(HWND list, int index, const char* title, int width) {
    std::wstring text = wide::FromCp936(title);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = &text[0];
    column.cx = width;
    column.iSubItem = index;
    ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
}

std::wstring RenameText(const RenamePlan::Rename& r) {
    return wide::FromUtf8(r.first + " -> " + r.second);
}

}  // namespace

CRenamePreviewDialog::CRenamePreviewDialog(const RenamePlan& plan, CWnd* parent)
    : CDialog(IDD_RENAME_PREVIEW, parent), m_plan(plan) {
    // The sheet needs no list view; the class is registered for this dialog alone.
    INITCOMMONCONTROLSEX classes = {};
    classes.dwSize = sizeof(classes);
    classes.dwICC = ICC_LISTVIEW_CLASSES;
    ::InitCommonControlsEx(&classes);
}

bool CRenamePreviewDialog::OnInitDialog() {
    m_list = ::GetDlgItem(m_hWnd, IDC_PREVIEW_LIST);
    ::SendMessageW(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                   LVS_EX_FULLROWSELECT);
    RECT area = {};
    ::GetClientRect(m_list, &area);
    const int width = area.right - area.left - ::GetSystemMetrics(SM_CXVSCROLL);
    AddColumn(m_list, 0, rename_text::kColumnRename, width * 3 / 5);
    AddColumn(m_list, 1, rename_text::kColumnNote, width - width * 3 / 5);

    for (const RenamePlan::Rename& r : m_plan.renames) {
        AddRow(RenameText(r),
               r.first == r.second ? wide::FromCp936(rename_text::kNoteUnchanged) : std::wstring());
    }
    std::string summary;
    const std::string count = std::to_string(m_plan.Changes().size());
    if (m_plan.stops) {
        std::string error;
        m_plan.stopError.GetErrorMessage(error);
        const bool taken = !m_plan.stop.first.empty();
        AddRow(taken ? RenameText(m_plan.stop) : std::wstring(),
               wide::FromCp936(taken ? rename_text::kNoteTaken : rename_text::kNoteStopped) +
                   L" (" + wide::FromCp936(error) + L")");
        summary = rename_text::Fill(rename_text::kPreviewStops, {count});
    } else if (!m_plan.outcome.ok()) {
        AddRow(wide::FromCp936(rename_text::kNoteRefused), wide::FromCp936(m_plan.outcome.reason));
        summary = std::string(rename_text::kPreviewRefused) + " " + m_plan.outcome.reason;
    } else {
        summary = rename_text::Fill(rename_text::kPreviewSummary, {count});
    }
    GetDlgItem(IDC_PREVIEW_SUMMARY).SetWindowText(wide::FromCp936(summary));
    return true;
}

bool CRenamePreviewDialog::OnCommand(int id, int) {
    if (id != IDOK && id != IDCANCEL) return false;
    EndDialog(id);
    return true;
}

void CRenamePreviewDialog::AddRow(const std::wstring& rename, const std::wstring& note) {
    std::wstring first = rename, second = note;
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = m_rows;
    item.pszText = &first[0];
    const int at = static_cast<int>(
        ::SendMessageW(m_list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    item.iItem = at;
    item.iSubItem = 1;
    item.pszText = &second[0];
    ::SendMessageW(m_list, LVM_SETITEMTEXTW, at, reinterpret_cast<LPARAM>(&item));
    ++m_rows;
}
