#include "app/framework/window_dpi.h"

namespace {

const wchar_t kSuperProc[] = L"Quillet.WindowDpi.SuperProc";
constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, which older headers lack

using DpiForWindow = UINT(WINAPI*)(HWND);

LRESULT CALLBACK FollowingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProc));
    if (msg == kDpiChanged && lParam) {
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hWnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::RemovePropW(hWnd, kSuperProc);
    }
    return ::CallWindowProcW(super, hWnd, msg, wParam, lParam);
}

}  // namespace

UINT WindowDpi(HWND window) {
    // Windows 10 1607 and later; looked up, so that older systems still start.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    auto perWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void*>(user32 ? ::GetProcAddress(user32, "GetDpiForWindow") : nullptr));
    if (perWindow && window) {
        const UINT dpi = perWindow(window);
        if (dpi) return dpi;
    }
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

void TakeSuggestedRectOnDpiChange(HWND topLevel) {
    if (!topLevel || ::GetPropW(topLevel, kSuperProc)) return;
    LONG_PTR super = ::GetWindowLongPtrW(topLevel, GWLP_WNDPROC);
    ::SetPropW(topLevel, kSuperProc, reinterpret_cast<HANDLE>(super));
    ::SetWindowLongPtrW(topLevel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FollowingProc));
}
