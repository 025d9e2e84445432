// The common progress bar, created by the page that shows it.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "app/framework/dialog_pixels.h"
#include "app/framework/wnd.h"

class CProgressCtrl : public CWnd {
  public:
    bool Create(DWORD style, const RECT& rect, HWND parent, UINT id) {
        m_hWnd = ::CreateWindowExW(0, PROGRESS_CLASSW, nullptr, style, rect.left, rect.top,
                                   rect.right - rect.left, rect.bottom - rect.top, parent,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                   ::GetModuleHandleW(nullptr), nullptr);
        return m_hWnd != nullptr;
    }
    // Placed from pixel figures of the original metrics, as the parent's font and DPI make
    // them; PlaceScaled places it again once they change.
    bool CreateScaled(DWORD style, const RECT& originalPixels, HWND parent, UINT id) {
        m_rcOriginal = originalPixels;
        return Create(style, DialogPixels(parent).Rect(originalPixels), parent, id);
    }
    void PlaceScaled() const {
        const RECT r = DialogPixels(::GetParent(m_hWnd)).Rect(m_rcOriginal);
        ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The message carries 16 bits of each bound; higher bits are dropped.
    void SetRange(int lower, int upper) const {
        SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lower, upper));
    }
    int SetPos(int pos) const { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    // While held, the bar takes its positions without drawing them; the system treats a
    // held bar as hidden. Letting go draws it at once.
    void HoldDrawing() const { SendMessage(WM_SETREDRAW, FALSE); }
    void DrawNow() const {
        if (!m_hWnd) return;  // a null window would redraw the whole desktop
        SendMessage(WM_SETREDRAW, TRUE);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

  private:
    RECT m_rcOriginal = {0, 0, 0, 0};
};
