// The tabbed sheet of the program under test: its tabs, its pages, closing it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr int kSheetTabControlId = 12320;

// A visible top-level dialog of `pid` that holds a tab control.
HWND FindSheet(DWORD pid);
HWND WaitForSheet(DWORD pid, DWORD timeout_ms);

HWND TabControlOf(HWND sheet);
int CurrentTab(HWND sheet);
HWND CurrentPage(HWND sheet);
// The labels are read through memory of `process`, the sheet's owner process.
std::vector<std::wstring> TabLabels(HWND sheet, HANDLE process);

// Asks the sheet to switch; posted, since a page that refuses shows a message box.
void SelectTab(HWND sheet, int index);
// A real mouse click on the tab's centre.
bool ClickTab(HWND sheet, HANDLE process, int index);
// Switches and waits until the tab is current; false when the sheet refused or timed out.
bool SwitchToTab(HWND sheet, HANDLE process, int index, DWORD timeout_ms);

// The close box of the title bar.
void CloseSheet(HWND sheet);

}  // namespace e2e
