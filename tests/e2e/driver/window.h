// Finding and reading the windows of another process through window messages.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
HWND OwnerOf(HWND window);

// The process's top-level windows, in z-order.
std::vector<HWND> TopLevelWindows(DWORD pid, bool visible_only);

// A visible dialog-class window of `pid` whose owner is `owner` (nullptr: no owner).
HWND FindDialogOwnedBy(DWORD pid, HWND owner);
HWND WaitForDialogOwnedBy(DWORD pid, HWND owner, DWORD timeout_ms);
bool WaitUntilGone(HWND window, DWORD timeout_ms);

// Controls of a dialog or page.
HWND Control(HWND dialog, int id);
std::wstring ControlText(HWND dialog, int id);
bool IsControlShown(HWND dialog, int id);
bool IsControlEnabled(HWND dialog, int id);
bool IsControlChecked(HWND dialog, int id);
void SetControlText(HWND dialog, int id, const std::wstring& text);
// Posted: a sent click would not return until a dialog it opens is closed.
bool ClickControl(HWND dialog, int id);

// The control with the keyboard focus in the given GUI thread.
HWND FocusedWindow(DWORD thread_id);
struct Selection {
    int start;
    int end;
};
Selection EditSelection(HWND edit);

}  // namespace e2e
