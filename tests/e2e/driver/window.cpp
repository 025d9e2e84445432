#include "driver/window.h"

#include "driver/wait.h"

namespace e2e {
namespace {

struct Search {
    DWORD pid;
    bool visible_only;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && (!search->visible_only || IsWindowVisible(window))) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    // WM_GETTEXT is copied across processes; the length is asked first for long texts.
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got =
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(got));
    return text;
}

HWND OwnerOf(HWND window) {
    return GetWindow(window, GW_OWNER);
}

std::vector<HWND> TopLevelWindows(DWORD pid, bool visible_only) {
    Search search{pid, visible_only, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindDialogOwnedBy(DWORD pid, HWND owner) {
    for (HWND window : TopLevelWindows(pid, true)) {
        if (ClassOf(window) == L"#32770" && OwnerOf(window) == owner) return window;
    }
    return nullptr;
}

HWND WaitForDialogOwnedBy(DWORD pid, HWND owner, DWORD timeout_ms) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogOwnedBy(pid, owner)) != nullptr; }, timeout_ms);
    return found;
}

bool WaitUntilGone(HWND window, DWORD timeout_ms) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

HWND Control(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control ? TextOf(control) : std::wstring();
}

bool IsControlShown(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowVisible(control);
}

bool IsControlEnabled(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && IsWindowEnabled(control);
}

bool IsControlChecked(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetControlText(HWND dialog, int id, const std::wstring& text) {
    SendMessageW(Control(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ClickControl(HWND dialog, int id) {
    HWND control = Control(dialog, id);
    return control && PostMessageW(control, BM_CLICK, 0, 0);
}

HWND FocusedWindow(DWORD thread_id) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread_id, &info) ? info.hwndFocus : nullptr;
}

Selection EditSelection(HWND edit) {
    const DWORD packed = static_cast<DWORD>(SendMessageW(edit, EM_GETSEL, 0, 0));
    return {static_cast<int>(LOWORD(packed)), static_cast<int>(HIWORD(packed))};
}

}  // namespace e2e
