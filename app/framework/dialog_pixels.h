// Pixel figures laid out for the original metrics (dialog base units of 6 x 12 at 96 DPI)
// placed on a dialog as its real font and DPI make it: they are exactly the figures where
// the metrics are the original ones, and grow with the page's font wherever they are not.
#pragma once

#include <windows.h>

class DialogPixels {
  public:
    explicit DialogPixels(HWND dialog) {
        RECT units = {0, 0, 4, 8};  // one base unit across and down
        if (dialog && ::MapDialogRect(dialog, &units)) {
            m_baseX = units.right;
            m_baseY = units.bottom;
        }
    }
    int X(int x) const { return ::MulDiv(x, m_baseX, kOriginalX); }
    int Y(int y) const { return ::MulDiv(y, m_baseY, kOriginalY); }
    RECT Rect(const RECT& r) const { return {X(r.left), Y(r.top), X(r.right), Y(r.bottom)}; }

  private:
    static constexpr int kOriginalX = 6;
    static constexpr int kOriginalY = 12;
    int m_baseX = kOriginalX;
    int m_baseY = kOriginalY;
};
