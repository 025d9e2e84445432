// Data exchange between a dialog's controls and its fields: one ordered list per
// dialog, run in one direction; saving stops at the first value that is refused.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class CDialog;

class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    // Finds the control and remembers it as the one a failure returns to.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);

    // Puts the focus back on the last prepared edit, selects its text and ends the
    // exchange. Only a save can fail.
    [[noreturn]] void Fail();

    bool m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    bool m_bEditLastControl = false;
};

// A text field holds UTF-8: a name or a text typed as it was typed.
void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, int32_t& value);
void DDX_Text(CDataExchange* pDX, int id, float& value);

// Follows the real exchange of the same field; checks only when saving.
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minValue, float maxValue);
