#include "driver/sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "driver/remote_buffer.h"
#include "driver/wait.h"
#include "driver/window.h"

namespace e2e {

HWND FindSheet(DWORD pid) {
    for (HWND window : TopLevelWindows(pid, true)) {
        if (ClassOf(window) == L"#32770" && GetDlgItem(window, kSheetTabControlId)) return window;
    }
    return nullptr;
}

HWND WaitForSheet(DWORD pid, DWORD timeout_ms) {
    HWND sheet = nullptr;
    WaitUntil([&] { return (sheet = FindSheet(pid)) != nullptr; }, timeout_ms);
    return sheet;
}

HWND TabControlOf(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
}

int CurrentTab(HWND sheet) {
    return static_cast<int>(SendMessageW(TabControlOf(sheet), TCM_GETCURSEL, 0, 0));
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::vector<std::wstring> TabLabels(HWND sheet, HANDLE process) {
    HWND tabs = TabControlOf(sheet);
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    constexpr int kMaxLabel = 256;
    RemoteBuffer remote(process, sizeof(TCITEMW) + kMaxLabel * sizeof(wchar_t));
    std::vector<std::wstring> labels;
    if (!remote.ok()) return labels;
    auto* remote_text =
        reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(TCITEMW));
    for (int i = 0; i < count; ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = remote_text;
        item.cchTextMax = kMaxLabel;
        remote.Write(&item, sizeof item);
        SendMessageW(tabs, TCM_GETITEMW, i, remote.as_lparam());
        struct {
            TCITEMW item;
            wchar_t text[kMaxLabel];
        } back{};
        remote.Read(&back, sizeof back);
        back.text[kMaxLabel - 1] = L'\0';
        labels.emplace_back(back.text);
    }
    return labels;
}

void SelectTab(HWND sheet, int index) {
    PostMessageW(sheet, PSM_SETCURSEL, index, 0);
}

bool ClickTab(HWND sheet, HANDLE process, int index) {
    HWND tabs = TabControlOf(sheet);
    RemoteBuffer remote(process, sizeof(RECT));
    RECT rect{};
    if (!remote.ok() || !SendMessageW(tabs, TCM_GETITEMRECT, index, remote.as_lparam()) ||
        !remote.Read(&rect, sizeof rect)) {
        return false;
    }
    const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, centre) &&
           PostMessageW(tabs, WM_LBUTTONUP, 0, centre);
}

bool SwitchToTab(HWND sheet, HANDLE process, int index, DWORD timeout_ms) {
    if (!ClickTab(sheet, process, index)) return false;
    return WaitUntil([&] { return CurrentTab(sheet) == index; }, timeout_ms);
}

void CloseSheet(HWND sheet) {
    PostMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
}

}  // namespace e2e
