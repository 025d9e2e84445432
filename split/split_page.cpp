#include "split/split_page.h"

#include <algorithm>
#include <iterator>

#include "app/framework/data_exchange.h"
#include "app/framework/file_dialog.h"
#include "app/framework/folder_picker.h"
#include "platform/path.h"
#include "res/resource.h"
#include "split/engine_page_notifications.h"
#include "split/merge_engine.h"
#include "split/split_texts.h"

namespace {

const char kSourceFilter[] = "All Files(*.*)|*.*||";
const char kTargetPickerTitle[] = "选择路径...";
const RECT kProgressRect = {25, 260, 450, 280};
constexpr float kMinChunkMB = 1.0f;
constexpr float kMaxChunkMB = 700.0f;

}  // namespace

const CRuntimeClass CMyPropertyPage1::classCMyPropertyPage1 = {
    "CMyPropertyPage1", sizeof(CMyPropertyPage1), 0xFFFF, &CreateByName<CMyPropertyPage1>};

const ClickMapEntry<CMyPropertyPage1> CMyPropertyPage1::messageMap[] = {
    {IDC_SPLIT_BROWSE_SOURCE, &CMyPropertyPage1::OnBrowseSource},
    {IDC_SPLIT_BROWSE_TARGET, &CMyPropertyPage1::OnBrowseTarget},
    {IDC_SPLIT_RUN, &CMyPropertyPage1::OnSplit},
    {IDC_SPLIT_BY_SIZE, &CMyPropertyPage1::OnByChunkSize},
    {IDC_SPLIT_BY_PARTS, &CMyPropertyPage1::OnByPartCount},
};

CMyPropertyPage1::CMyPropertyPage1() : CPropertyPage(IDD_SPLIT_PAGE) {
    // The merge's size table starts clean with the sheet.
    std::fill(std::begin(g_nPieceSize), std::end(g_nPieceSize), 0);
}

void CMyPropertyPage1::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_SPLIT_SOURCE_PATH, m_strSourcePath);
    DDX_Text(pDX, IDC_SPLIT_TARGET_FOLDER, m_strTargetFolder);
    // Checked in both modes: a split by parts still refuses a bad chunk size.
    DDX_Text(pDX, IDC_SPLIT_CHUNK_MB, m_fChunkMB);
    DDV_MinMaxFloat(pDX, m_fChunkMB, kMinChunkMB, kMaxChunkMB);
    DDX_Text(pDX, IDC_SPLIT_PART_COUNT, m_nPartCount);
    DDX_Text(pDX, IDC_SPLIT_SOURCE_MB, m_nSourceMB);
}

bool CMyPropertyPage1::OnInitDialog() {
    // Nothing refers to the bar by id.
    m_progress.CreateScaled(WS_CHILD | WS_VISIBLE, kProgressRect, m_hWnd, 0);
    m_progress.SetPos(0);
    CheckRadioButton(IDC_SPLIT_BY_SIZE, IDC_SPLIT_BY_PARTS, IDC_SPLIT_BY_SIZE);
    CheckDlgButton(IDC_SPLIT_WITH_SPARE, BST_UNCHECKED);
    GetDlgItem(IDC_SPLIT_RUN).EnableWindow(false);
    AcceptDroppedFiles(m_hWnd);
    m_strSourcePath.clear();
    m_strTargetFolder.clear();
    m_fChunkMB = 2.0f;
    UpdateData(false);
    return true;
}

void CMyPropertyPage1::OnDpiChanged() {
    m_progress.PlaceScaled();
}

bool CMyPropertyPage1::OnCommand(int id, int code) {
    return DispatchClick(*this, messageMap, id, code);
}

void CMyPropertyPage1::OnBrowseSource() {
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kSourceFilter, GetDlgItem(IDC_SPLIT_BROWSE_SOURCE).m_hWnd);
    if (dialog.DoModal() != IDOK) {
        // The edits keep showing the old choice, but a split now has no source.
        if (m_fileSource.IsOpen()) m_fileSource.Close();
        UpdateData(false);
        return;
    }
    TakeSource(dialog.GetPathName());
}

void CMyPropertyPage1::OnDropFiles(const std::vector<DroppedEntry>& dropped) {
    if (dropped.size() != 1 || dropped[0].folder) {
        MessageBox(split_text::kDropOneFile, MB_ICONEXCLAMATION);
        return;
    }
    TakeSource(dropped[0].path);
}

void CMyPropertyPage1::TakeSource(const std::string& path) {
    m_strSourcePath = path;
    m_strSourceTitle = path::TitleOf(path::NameOf(path));
    m_strSourceExt = path::ExtensionOf(path::NameOf(path));
    if (m_strSourcePath.size() < 3) return;

    // Choosing the same file again must not collide with our own handle.
    if (m_fileSource.IsOpen()) m_fileSource.Close();
    if (!m_fileSource.Open(m_strSourcePath,
                           CFile::modeRead | CFile::shareExclusive | CFile::typeBinary)) {
        return;
    }
    m_nSourceMB = static_cast<int32_t>(m_fileSource.GetLength() >> 20);
    m_strTargetFolder =
        path::FolderWithSeparator(m_strSourcePath) + m_strSourceTitle + path::kSeparator;
    GetDlgItem(IDC_SPLIT_RUN).EnableWindow(true);
    UpdateData(false);
}

void CMyPropertyPage1::OnBrowseTarget() {
    std::string folder;
    if (!BrowseForFolder(m_hWnd, kTargetPickerTitle, folder)) return;
    // A drive root already ends with a separator and keeps both.
    m_strTargetFolder = folder + path::kSeparator + m_strSourceTitle + path::kSeparator;
    UpdateData(false);
}

void CMyPropertyPage1::OnSplit() {
    EnginePageNotifications notify(*this, m_progress,
                                   EnginePageNotifications::MessageBoxKind::kPage,
                                   split_text::kAskStopSplit);
    SplitChecks checks;
    checks.spare = IsDlgButtonChecked(IDC_SPLIT_WITH_SPARE) == BST_CHECKED;
    SplitFile(m_fileSource, *this, notify, checks);
}

void CMyPropertyPage1::OnByChunkSize() {
    m_nMode = 1;
}

void CMyPropertyPage1::OnByPartCount() {
    m_nMode = 0;
}
