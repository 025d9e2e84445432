// Drawing on a window while it handles WM_PAINT; the paint ends with the object.
#pragma once

#include <windows.h>

#include <string>

class CDC {
  public:
    COLORREF SetTextColor(COLORREF color) const { return ::SetTextColor(m_hDC, color); }
    COLORREF SetBkColor(COLORREF color) const { return ::SetBkColor(m_hDC, color); }
    bool TextOut(int x, int y, const std::wstring& text) const {
        return ::TextOutW(m_hDC, x, y, text.c_str(), static_cast<int>(text.size())) != FALSE;
    }
    SIZE GetTextExtent(const std::wstring& text) const {
        SIZE size = {0, 0};
        ::GetTextExtentPoint32W(m_hDC, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }
    // Fills through the background colour, which keeps the fill's colour afterwards.
    void FillSolidRect(const RECT& rect, COLORREF color) const {
        ::SetBkColor(m_hDC, color);
        ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    }

    HDC m_hDC = nullptr;
};

class CPaintDC : public CDC {
  public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }
    ~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    PAINTSTRUCT m_ps = {};

  private:
    HWND m_hWnd;
};
