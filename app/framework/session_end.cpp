#include "app/framework/session_end.h"

#include "platform/win32/wide.h"

namespace {

int g_nBlocks = 0;
const wchar_t kSuperProc[] = L"Quillet.SessionEnd.SuperProc";

using ReasonCreate = BOOL(WINAPI*)(HWND, LPCWSTR);
using ReasonDestroy = BOOL(WINAPI*)(HWND);

// Windows XP has no block reasons: looked up rather than linked, so the program still
// starts there and only refuses.
template <class Function>
Function User32(const char* name) {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    FARPROC found = user32 ? ::GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

LRESULT CALLBACK RefusingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    WNDPROC super = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProc));
    if (msg == WM_QUERYENDSESSION && CSessionEndBlock::IsHeld()) return FALSE;
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
        ::RemovePropW(hWnd, kSuperProc);
    }
    return ::CallWindowProcW(super, hWnd, msg, wParam, lParam);
}

}  // namespace

CSessionEndBlock::CSessionEndBlock(HWND window, const std::string& reason)
    : m_hTopLevel(window ? ::GetAncestor(window, GA_ROOT) : nullptr), m_bReasonShown(false) {
    ++g_nBlocks;
    auto create = User32<ReasonCreate>("ShutdownBlockReasonCreate");
    if (m_hTopLevel && create) {
        m_bReasonShown = create(m_hTopLevel, wide::FromCp936(reason).c_str()) != FALSE;
    }
}

CSessionEndBlock::~CSessionEndBlock() {
    --g_nBlocks;
    auto destroy = User32<ReasonDestroy>("ShutdownBlockReasonDestroy");
    if (m_bReasonShown && destroy) destroy(m_hTopLevel);
}

bool CSessionEndBlock::IsHeld() {
    return g_nBlocks > 0;
}

void RefuseSessionEndWhileBlocked(HWND topLevel) {
    if (!topLevel || ::GetPropW(topLevel, kSuperProc)) return;
    LONG_PTR super = ::GetWindowLongPtrW(topLevel, GWLP_WNDPROC);
    ::SetPropW(topLevel, kSuperProc, reinterpret_cast<HANDLE>(super));
    ::SetWindowLongPtrW(topLevel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingProc));
}
