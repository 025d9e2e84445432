#include "about/link_focus.h"

#include "platform/win32/wide.h"

namespace link_focus {
namespace {

const wchar_t kClassName[] = L"QuilletLinkFocus";

LRESULT CALLBACK WindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETDLGCODE: {
            // Enter would otherwise go to the sheet's default button, the arrows to the
            // next control.
            const MSG* key = reinterpret_cast<const MSG*>(lParam);
            LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) {
                code |= DLGC_WANTMESSAGE;
            }
            return code;
        }
        case WM_KEYDOWN:
            ::SendMessageW(::GetParent(hWnd), kKeyMessage, wParam, 0);
            return 0;
        case WM_CHAR:
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            ::SendMessageW(::GetParent(hWnd), kFocusMessage, msg == WM_SETFOCUS, 0);
            return 0;
        case WM_NCHITTEST:
            return HTTRANSPARENT;  // the pointer belongs to the page, which knows the links
        default:
            return ::DefWindowProcW(hWnd, msg, wParam, lParam);
    }
}

}  // namespace

HWND Create(HWND page) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW existing = {};
    if (!::GetClassInfoW(instance, kClassName, &existing)) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = &WindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kClassName;
        ::RegisterClassW(&windowClass);
    }
    // No size: the page draws the links and their focus rectangle.
    return ::CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                             page, nullptr, instance, nullptr);
}

void Name(HWND focus, const char* cp936_text) {
    if (!focus) return;
    ::SetWindowTextW(focus, wide::FromCp936(cp936_text).c_str());
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, focus, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace link_focus
