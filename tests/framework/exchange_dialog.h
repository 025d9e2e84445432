// A test dialog with one field of every exchange kind, in the order a page lists them.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/framework/data_exchange.h"
#include "app/framework/dialog.h"
#include "framework/dialog_template.h"
#include "platform/win32/wide.h"

enum ExchangeIds {
    kTextEdit = 100,
    kCountEdit = 101,
    kSizeEdit = 102,  // real, range 1 to 700
    kAfterEdit = 103,
    kLastEdit = 104,
    kActionButton = 200,
};

class ExchangeDialog : public CDialog {
  public:
    ExchangeDialog();

    // Creates the window; fails the test when there is no display to create it on.
    bool Open();
    void SetText(int id, const std::string& text) const;
    // Texts in UTF-8, as the fields keep them.
    std::string Text(int id) const { return wide::ToUtf8(GetDlgItem(id).GetWindowText()); }
    // Sends the action button's click as the system would.
    void Click(LPARAM from) const;

    std::string m_strText = "first";
    int32_t m_nCount = 2;
    float m_fSize = 2.0f;
    int32_t m_nAfter = 7;
    std::string m_strLast = "last";

    int m_nChangeNotifications = 0;
    int m_nActionsCompleted = 0;
    std::function<void()> m_action;  // runs on the action button
    std::function<void()> m_onInit;  // runs in the initialisation

  protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    bool OnCommand(int id, int code) override;

  private:
    std::unique_ptr<DialogTemplate> m_template;
};
