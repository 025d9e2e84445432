// Reading and answering the system's message boxes shown by the program under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

enum class IconKind { kNone, kExclamation, kStop, kOther };
const char* IconKindName(IconKind kind);

struct MessageBoxInfo {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring caption;
    std::wstring text;
    IconKind icon = IconKind::kNone;
    std::vector<int> buttons;  // visible button ids: IDOK, IDCANCEL, IDYES, IDNO, ...
};

// Icon handles cannot be compared across processes, so the icon is judged by its colours.
MessageBoxInfo ReadMessageBox(HWND box);
// Waits for a message box of `pid` owned by `owner` (nullptr: none) and reads it.
MessageBoxInfo WaitForMessageBox(DWORD pid, HWND owner, DWORD timeout_ms);
// Presses a button and waits until the box has gone.
bool AnswerMessageBox(HWND box, int button_id);

}  // namespace e2e
