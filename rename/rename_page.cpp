#include "rename/rename_page.h"

#include "app/framework/data_exchange.h"
#include "app/framework/folder_picker.h"
#include "app/framework/shell_open.h"
#include "platform/engine_notifications.h"
#include "platform/file_exception.h"
#include "platform/text.h"
#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"
#include "rename/journaled_rename.h"
#include "rename/rename_plan.h"
#include "rename/rename_preview_dialog.h"
#include "rename/rename_texts.h"
#include "rename/undo_report_text.h"
#include "res/resource.h"

namespace {

const char kFolderPickerTitle[] = "选择保存位置...";

// A run shows its two notices in the page's plain box and opens folders through the
// shell; it has no progress, no wait cursor and no questions.
class PageNotifications : public EngineNotifications {
  public:
    explicit PageNotifications(CDialog& page) : m_page(page) {}

    void ShowMessage(const std::string& text) override { m_page.MessageBox(text); }
    bool AskYesNo(const std::string&) override { return false; }
    void SetProgressRange(uint32_t, uint32_t) override {}
    void SetProgressPos(uint64_t) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    void OpenFolder(const std::string& path) override { ShellOpen(path); }
    bool UpdateData() override { return m_page.UpdateData(true); }

  private:
    CDialog& m_page;
};

std::string WithError(const char* text, const CFileException& error) {
    return std::string(text) + "\n" + error.ErrorMessage();
}

// The folder field's text as a full path, as quillet-cli takes its FOLDER.
std::string FullPath(const std::string& folder) {
    const std::wstring full = system_path::Full(wide::FromUtf8(folder));
    return full.empty() ? folder : wide::ToUtf8(full);
}

bool HasRestorable(const UndoResult& result) {
    for (const UndoStep& s : result.steps) {
        if (s.kind == UndoStep::kRestored) return true;
    }
    return false;
}

}  // namespace

const CRuntimeClass CMyPropertyPage3::classCMyPropertyPage3 = {
    "CMyPropertyPage3", sizeof(CMyPropertyPage3), 0xFFFF, &CreateByName<CMyPropertyPage3>};

const ClickMapEntry<CMyPropertyPage3> CMyPropertyPage3::messageMap[] = {
    {IDC_RENAME_BROWSE, &CMyPropertyPage3::OnBrowseFolder},
    {IDC_RENAME_FILES_ONLY, &CMyPropertyPage3::OnFilesOnly},
    {IDC_RENAME_FOLDERS_ONLY, &CMyPropertyPage3::OnFoldersOnly},
    {IDC_RENAME_EXECUTE, &CMyPropertyPage3::OnExecute},
    {IDC_RENAME_VIEW_RESULT, &CMyPropertyPage3::OnViewResult},
    {IDC_RENAME_CHANGE_NAME, &CMyPropertyPage3::OnChangeName},
    {IDC_RENAME_CHANGE_EXT, &CMyPropertyPage3::OnChangeExt},
    {IDC_RENAME_NUMBER_FIRST, &CMyPropertyPage3::OnNumberFirst},
    {IDC_RENAME_REPLACE_TEXT, &CMyPropertyPage3::OnReplaceText},
    {IDC_RENAME_PREVIEW, &CMyPropertyPage3::OnPreview},
    {IDC_RENAME_UNDO, &CMyPropertyPage3::OnUndo},
};

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPage(IDD_RENAME_PAGE) {}

void CMyPropertyPage3::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_RENAME_NEW_EXT, m_strNewExt);
    DDX_Text(pDX, IDC_RENAME_NEW_NAME, m_strNewName);
    DDX_Text(pDX, IDC_RENAME_FOLDER, m_strFolder);
    DDX_Text(pDX, IDC_RENAME_INCREMENT, m_nIncrement);
    DDX_Text(pDX, IDC_RENAME_FIND, m_strFind);
    DDX_Text(pDX, IDC_RENAME_REPLACE, m_strReplace);
}

bool CMyPropertyPage3::OnInitDialog() {
    // One button at a time: a range of ids would also reach the push buttons and the
    // check box that lie between the radios' ids.
    CheckDlgButton(IDC_RENAME_FILES_ONLY, BST_CHECKED);
    CheckDlgButton(IDC_RENAME_CHANGE_NAME, BST_CHECKED);
    m_strNewExt = "txt";
    m_strNewName = "name";
    m_strFolder.clear();
    m_nIncrement = 1;
    AcceptDroppedFiles(m_hWnd);
    UpdateData(false);
    return true;
}

bool CMyPropertyPage3::OnCommand(int id, int code) {
    return DispatchClick(*this, messageMap, id, code);
}

void CMyPropertyPage3::OnBrowseFolder() {
    if (!BrowseForFolder(m_hWnd, kFolderPickerTitle, m_strFolder)) return;
    // Also puts back the stored values of fields typed into since the last exchange.
    UpdateData(false);
}

void CMyPropertyPage3::OnDropFiles(const std::vector<DroppedEntry>& dropped) {
    if (dropped.size() != 1 || !dropped[0].folder) {
        MessageBox(rename_text::kDropOneFolder, MB_ICONEXCLAMATION);
        return;
    }
    m_strFolder = dropped[0].path;
    UpdateData(false);
}

void CMyPropertyPage3::OnFilesOnly() {
    m_bFilesOnly = 1;
    m_bFoldersOnly = 0;
    GetDlgItem(IDC_RENAME_NEW_EXT).EnableWindow(true);
}

void CMyPropertyPage3::OnFoldersOnly() {
    m_bFoldersOnly = 1;
    m_bFilesOnly = 0;
    GetDlgItem(IDC_RENAME_NEW_EXT).EnableWindow(false);
}

void CMyPropertyPage3::OnExecute() {
    m_nSerial = 0;
    // A refused field has been reported; renaming with the values of an older exchange
    // would surprise the user.
    if (!UpdateData(true)) return;
    PageNotifications notify(*this);
    JournaledRenameReport report;
    try {
        report = RunJournaledRename(*this, m_nSerial, notify, RenameOrder::kListing);
    } catch (CFileException& e) {
        // The page reports a failed rename as the framework's rename does, without a
        // name; quillet-cli names the entry.
        if (e.m_strFileName.rfind(m_strFolder, 0) == 0) e.m_strFileName.clear();
        throw;
    }
    if (report.journal.kind == JournalTrouble::kNoStateFolder) {
        MessageBox(rename_text::kNoStateFolder, MB_ICONSTOP);
    } else if (report.journal.kind == JournalTrouble::kUnwritable) {
        MessageBox(WithError(rename_text::kJournalUnwritable, report.journal.error), MB_ICONSTOP);
    }
}

void CMyPropertyPage3::OnPreview() {
    // The same exchange as the run's, so the preview shows what "执行操作" would do now.
    if (!UpdateData(true)) return;
    const RenamePlan plan = PlanBatchRename(*this, RenameOrder::kListing);
    CRenamePreviewDialog dialog(plan, this);
    dialog.DoModal();
}

void CMyPropertyPage3::OnUndo() {
    const std::string typed = wide::ToUtf8(GetDlgItem(IDC_RENAME_FOLDER).GetWindowText());
    if (typed.empty()) {
        MessageBox(rename_text::kNoFolder);
        return;
    }
    const std::string folder = FullPath(typed);
    const LastRunUndo found = UndoLastRun(folder, true);
    if (found.status == LastRunUndo::kNoJournal) {
        MessageBox(rename_text::Fill(rename_text::kNothingToUndo, {text::ForDisplay(folder)}),
                   MB_ICONINFORMATION);
        return;
    }
    if (found.status == LastRunUndo::kDamaged) {
        MessageBox(
            rename_text::Fill(rename_text::kJournalDamaged,
                              {text::ForDisplay(found.journalPath), std::to_string(found.badLine)}),
            MB_ICONSTOP);
        return;
    }
    if (found.status == LastRunUndo::kFirstFormat) {
        MessageBox(rename_text::Fill(rename_text::kJournalFirstFormat,
                                     {text::ForDisplay(found.journalPath)}),
                   MB_ICONSTOP);
        return;
    }
    if (found.status == LastRunUndo::kOtherFolder) {
        MessageBox(rename_text::Fill(rename_text::kJournalOtherFolder,
                                     {text::ForDisplay(found.journalPath), text::ForDisplay(folder)}),
                   MB_ICONSTOP);
        return;
    }
    if (!HasRestorable(found.result)) {
        MessageBox(undo_report_text::NothingToRestore(found.result), MB_ICONINFORMATION);
        return;
    }
    if (MessageBox(undo_report_text::Question(found.result), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // Decided again from the folder as it stands now, as quillet-cli undo decides.
    const LastRunUndo done = UndoLastRun(folder, false);
    if (done.status == LastRunUndo::kUnwritable) {
        MessageBox(WithError(rename_text::kUndoJournalUnwritable, done.journalError), MB_ICONSTOP);
        return;
    }
    MessageBox(undo_report_text::Report(done.result),
               done.result.allRestored() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
}

void CMyPropertyPage3::OnViewResult() {
    PageNotifications notify(*this);
    OpenResultFolder(*this, notify);
}

void CMyPropertyPage3::OnChangeName() {
    m_bChangeName = 1;
    m_bChangeExt = 0;
    m_bReplaceText = 0;
}

void CMyPropertyPage3::OnChangeExt() {
    m_bChangeExt = 1;
    m_bChangeName = 0;
    m_bReplaceText = 0;
}

void CMyPropertyPage3::OnNumberFirst() {
    m_bNumberFirst = m_bNumberFirst ? 0 : 1;
}

void CMyPropertyPage3::OnReplaceText() {
    m_bReplaceText = 1;
    m_bChangeName = 0;
    m_bChangeExt = 0;
}
