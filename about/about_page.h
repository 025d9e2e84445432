// The About page: the version line and the maker's links, which the page draws itself.
#pragma once

#include <windows.h>

#include "about/about_links.h"
#include "app/framework/property_page.h"
#include "app/framework/runtime_class.h"

class CMyPropertyPage5 : public CPropertyPage {
  public:
    CMyPropertyPage5();
    ~CMyPropertyPage5() override;

    static const CRuntimeClass classCMyPropertyPage5;

    // Where each link was last drawn; empty, so never hit, until the first paint.
    RECT m_rcLink[about_links::kCount] = {};

  protected:
    bool OnInitDialog() override;
    void OnDpiChanged() override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void OnPaint();
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonDown(UINT flags, POINT point);
    bool OnSetCursor(UINT hitTest);
    void OnLinkKey(UINT key);
    void LoadImagesForDpi();
    void ReleaseImages();
    HWND FindIconStatic() const;

    // Index of the first link under point, or -1.
    int LinkAt(POINT point) const;
    void ShowHandCursor() const;

    HWND m_hLinkFocus = nullptr;  // holds the keyboard focus for the links
    int m_nFocusLink = 0;         // the link Enter opens
    HCURSOR m_hHandCursor = nullptr;
    HICON m_hIcon = nullptr;
};
