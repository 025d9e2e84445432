#include "framework/exchange_dialog.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<DialogTemplate> MakeTemplate() {
    auto t = std::make_unique<DialogTemplate>(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU,
                                              "exchange", 200, 120);
    short y = 5;
    for (int id : {kTextEdit, kCountEdit, kSizeEdit, kAfterEdit, kLastEdit}) {
        t->AddEdit(id, 5, y, 150, 14);
        y += 18;
    }
    t->AddButton(kActionButton, "Go", 160, 5, 35, 14);
    return t;
}

}  // namespace

ExchangeDialog::ExchangeDialog() : CDialog(static_cast<const DLGTEMPLATE*>(nullptr)) {
    m_template = MakeTemplate();
    m_lpDialogTemplate = m_template->Get();
}

bool ExchangeDialog::Open() {
    bool created = Create(nullptr);
    EXPECT_TRUE(created) << "no window could be created: run the tests on a display "
                            "(source scripts/wine-env.sh BUILD --display)";
    return created;
}

void ExchangeDialog::SetText(int id, const std::string& text) const {
    GetDlgItem(id).SetWindowText(wide::FromUtf8(text));
}

void ExchangeDialog::Click(LPARAM from) const {
    SendMessage(WM_COMMAND, MAKEWPARAM(kActionButton, BN_CLICKED), from);
}

bool ExchangeDialog::OnInitDialog() {
    if (m_onInit) m_onInit();
    return CDialog::OnInitDialog();
}

void ExchangeDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, kTextEdit, m_strText);
    DDX_Text(pDX, kCountEdit, m_nCount);
    DDX_Text(pDX, kSizeEdit, m_fSize);
    DDV_MinMaxFloat(pDX, m_fSize, 1.0f, 700.0f);
    DDX_Text(pDX, kAfterEdit, m_nAfter);
    DDX_Text(pDX, kLastEdit, m_strLast);
}

bool ExchangeDialog::OnCommand(int id, int code) {
    if (code == EN_CHANGE) {
        ++m_nChangeNotifications;
        return true;
    }
    if (id == kActionButton && m_action) {
        m_action();
        ++m_nActionsCompleted;
        return true;
    }
    return false;
}
