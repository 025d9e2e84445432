#include "split/merge_page.h"

#include "app/framework/data_exchange.h"
#include "app/framework/file_dialog.h"
#include "app/framework/win_app.h"
#include "platform/path.h"
#include "res/resource.h"
#include "split/checked_merge.h"
#include "split/engine_page_notifications.h"
#include "split/split_texts.h"

namespace {

const char kPieceFilter[] = "SPT File(*.spt)|*.spt; *.spt|All Files(*.*)|*.*||";
const char kOutputFilter[] = "All Files(*.*)|*.*||";
const RECT kProgressRect = {30, 240, 455, 260};

}  // namespace

const CRuntimeClass CMyPropertyPage2::classCMyPropertyPage2 = {
    "CMyPropertyPage2", sizeof(CMyPropertyPage2), 0xFFFF, &CreateByName<CMyPropertyPage2>};

const ClickMapEntry<CMyPropertyPage2> CMyPropertyPage2::messageMap[] = {
    {IDC_MERGE_BROWSE_PIECE, &CMyPropertyPage2::OnBrowsePiece},
    {IDC_MERGE_CHOOSE_OUTPUT, &CMyPropertyPage2::OnChooseOutput},
    {IDC_MERGE_RUN, &CMyPropertyPage2::OnMerge},
};

CMyPropertyPage2::CMyPropertyPage2() : CPropertyPage(IDD_MERGE_PAGE) {}

void CMyPropertyPage2::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_MERGE_PIECE_PATH, m_strPiecePath);
    DDX_Text(pDX, IDC_MERGE_OUTPUT_PATH, m_strOutputPath);
}

bool CMyPropertyPage2::OnInitDialog() {
    // Nothing refers to the bar by id.
    m_progress.CreateScaled(WS_CHILD | WS_VISIBLE, kProgressRect, m_hWnd, 0);
    m_progress.SetPos(0);
    GetDlgItem(IDC_MERGE_RUN).EnableWindow(false);
    AcceptDroppedFiles(m_hWnd);
    return true;
}

void CMyPropertyPage2::OnDpiChanged() {
    m_progress.PlaceScaled();
}

bool CMyPropertyPage2::OnCommand(int id, int code) {
    return DispatchClick(*this, messageMap, id, code);
}

void CMyPropertyPage2::OnBrowsePiece() {
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kPieceFilter,
                       GetDlgItem(IDC_MERGE_BROWSE_PIECE).m_hWnd);
    if (dialog.DoModal() == IDOK) {
        TakePiece(dialog.GetPathName());
        return;
    }
    UpdateData(false);
}

void CMyPropertyPage2::OnDropFiles(const std::vector<DroppedEntry>& dropped) {
    if (dropped.size() != 1 || dropped[0].folder) {
        AfxMessageBox(split_text::kDropOneFile, MB_ICONEXCLAMATION);
        return;
    }
    TakePiece(dropped[0].path);
}

void CMyPropertyPage2::TakePiece(const std::string& path) {
    m_strPiecePath = path;
    m_strPieceTitle = path::TitleOf(path::NameOf(path));
    m_strPieceFolder = path::FolderOf(m_strPiecePath);
    UpdateData(false);
}

void CMyPropertyPage2::OnChooseOutput() {
    CFileDialog dialog(false, nullptr, m_strPieceTitle.c_str(),
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kOutputFilter,
                       GetDlgItem(IDC_MERGE_BROWSE_PIECE).m_hWnd);
    if (dialog.DoModal() == IDOK) {
        m_strOutputPath = dialog.GetPathName();
        m_strOutputFolder = path::FolderOf(m_strOutputPath);
        // Once an output is known, Merge stays available for good.
        GetDlgItem(IDC_MERGE_RUN).EnableWindow(true);
    }
    UpdateData(false);
}

void CMyPropertyPage2::OnMerge() {
    EnginePageNotifications notify(*this, m_progress,
                                   EnginePageNotifications::MessageBoxKind::kApplication,
                                   split_text::kAskStopMerge);
    MergeChecked(*this, *this, notify);
}
