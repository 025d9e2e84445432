#include "about/about_page.h"

#include "about/link_focus.h"
#include "app/framework/chinese_font.h"
#include "app/framework/dialog_pixels.h"
#include "app/framework/paint_dc.h"
#include "app/framework/shell_open.h"
#include "app/framework/win_app.h"
#include "app/framework/window_dpi.h"
#include "platform/win32/wide.h"
#include "res/resource.h"

namespace {

const COLORREF kLinkColour = RGB(0, 0, 255);
const COLORREF kCellColour = RGB(255, 255, 255);
// Three clear rows between the text cell and its underline, at the original metrics.
const int kUnderlineGap = 3;
const int kIconSize = 32;
const int kCursorSize = 32;

POINT PointFrom(LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return point;
}

// Edges do not count: a point on the border of a link is outside it.
bool StrictlyInside(const RECT& rect, POINT point) {
    return rect.left < point.x && point.x < rect.right && rect.top < point.y &&
           point.y < rect.bottom;
}

}  // namespace

const CRuntimeClass CMyPropertyPage5::classCMyPropertyPage5 = {
    "CMyPropertyPage5", sizeof(CMyPropertyPage5), 0xFFFF, &CreateByName<CMyPropertyPage5>};

CMyPropertyPage5::CMyPropertyPage5() : CPropertyPage(IDD_ABOUT_PAGE) {}

bool CMyPropertyPage5::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_hLinkFocus = link_focus::Create(m_hWnd);
    link_focus::Name(m_hLinkFocus, about_links::kLinks[m_nFocusLink].text);
    LoadImagesForDpi();
    return true;
}

CMyPropertyPage5::~CMyPropertyPage5() {
    ReleaseImages();
}

void CMyPropertyPage5::ReleaseImages() {
    if (m_hHandCursor) ::DestroyCursor(m_hHandCursor);
    if (m_hIcon) ::DestroyIcon(m_hIcon);
    m_hHandCursor = nullptr;
    m_hIcon = nullptr;
}

// The cursor at the size the window's DPI asks for, and the icon as large as the page's
// font makes the original 32 pixels.
void CMyPropertyPage5::LoadImagesForDpi() {
    HINSTANCE instance = AfxGetApp()->m_hInstance;
    HCURSOR previousCursor = m_hHandCursor;
    HICON previousIcon = m_hIcon;
    const int cursor = ::MulDiv(kCursorSize, static_cast<int>(WindowDpi(m_hWnd)), 96);
    m_hHandCursor = static_cast<HCURSOR>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDC_HAND_LINK), IMAGE_CURSOR, cursor, cursor, 0));
    const DialogPixels pixels(m_hWnd);
    m_hIcon =
        static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                        pixels.X(kIconSize), pixels.Y(kIconSize), LR_DEFAULTCOLOR));
    HWND iconStatic = FindIconStatic();
    if (iconStatic && m_hIcon)
        ::SendMessageW(iconStatic, STM_SETICON, reinterpret_cast<WPARAM>(m_hIcon), 0);
    if (previousCursor) ::DestroyCursor(previousCursor);
    if (previousIcon) ::DestroyIcon(previousIcon);
}

HWND CMyPropertyPage5::FindIconStatic() const {
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

void CMyPropertyPage5::OnDpiChanged() {
    LoadImagesForDpi();
    Invalidate();
}

bool CMyPropertyPage5::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            result = 0;
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
            return false;
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wParam), PointFrom(lParam));
            return false;
        case link_focus::kKeyMessage:
            OnLinkKey(static_cast<UINT>(wParam));
            return true;
        case link_focus::kFocusMessage:
            Invalidate();
            return true;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) != m_hWnd) return false;
            result = TRUE;
            return OnSetCursor(LOWORD(lParam));
        default:
            return false;
    }
}

void CMyPropertyPage5::OnPaint() {
    CPaintDC dc(m_hWnd);
    // The links are drawn and measured in the same font, so they are hit where drawn.
    HFONT chinese = ChineseFontLike(static_cast<HFONT>(::GetCurrentObject(dc.m_hDC, OBJ_FONT)));
    HGDIOBJ previousFont = chinese ? ::SelectObject(dc.m_hDC, chinese) : nullptr;
    dc.SetTextColor(kLinkColour);
    const DialogPixels pixels(m_hWnd);
    const int x = pixels.X(about_links::kLeft);
    const int gap = pixels.Y(kUnderlineGap);
    const int thickness = pixels.Y(1) > 1 ? pixels.Y(1) : 1;
    for (int i = 0; i < about_links::kCount; ++i) {
        const about_links::Link& link = about_links::kLinks[i];
        const int y = pixels.Y(link.y);
        const std::wstring text = wide::FromCp936(link.text);
        dc.TextOut(x, y, text);
        const SIZE size = dc.GetTextExtent(text);
        m_rcLink[i] = {x, y, x + size.cx, y + size.cy};
        const int underline = y + size.cy + gap;
        dc.FillSolidRect({x, underline, x + size.cx, underline + thickness}, kLinkColour);
        // The fill left the background blue; the next link's cell is white again.
        if (i + 1 < about_links::kCount) dc.SetBkColor(kCellColour);
    }
    if (previousFont) ::SelectObject(dc.m_hDC, previousFont);
    if (m_hLinkFocus && ::GetFocus() == m_hLinkFocus) {
        RECT focus = m_rcLink[m_nFocusLink];
        ::InflateRect(&focus, 1, 1);
        ::DrawFocusRect(dc.m_hDC, &focus);
    }
}

// The arrows walk the links as they are read, and stop at either end; Enter and Space open
// the link the focus rectangle is on.
void CMyPropertyPage5::OnLinkKey(UINT key) {
    switch (key) {
        case VK_UP:
        case VK_LEFT:
            if (m_nFocusLink > 0) --m_nFocusLink;
            break;
        case VK_DOWN:
        case VK_RIGHT:
            if (m_nFocusLink + 1 < about_links::kCount) ++m_nFocusLink;
            break;
        case VK_RETURN:
        case VK_SPACE:
            ShellOpen(about_links::kLinks[m_nFocusLink].address);
            return;
        default:
            return;
    }
    link_focus::Name(m_hLinkFocus, about_links::kLinks[m_nFocusLink].text);
    Invalidate();
}

void CMyPropertyPage5::OnMouseMove(UINT /*flags*/, POINT point) {
    if (LinkAt(point) >= 0) ShowHandCursor();
}

void CMyPropertyPage5::OnLButtonDown(UINT /*flags*/, POINT point) {
    for (int i = 0; i < about_links::kCount; ++i) {
        if (StrictlyInside(m_rcLink[i], point)) ShellOpen(about_links::kLinks[i].address);
    }
}

// The system sets the page's arrow before every move; over a link it would undo the hand
// until the move arrives, so the hand is kept here too.
bool CMyPropertyPage5::OnSetCursor(UINT hitTest) {
    if (hitTest != HTCLIENT) return false;
    POINT point;
    if (!::GetCursorPos(&point) || !::ScreenToClient(m_hWnd, &point)) return false;
    if (LinkAt(point) < 0) return false;
    ShowHandCursor();
    return true;
}

int CMyPropertyPage5::LinkAt(POINT point) const {
    for (int i = 0; i < about_links::kCount; ++i) {
        if (StrictlyInside(m_rcLink[i], point)) return i;
    }
    return -1;
}

void CMyPropertyPage5::ShowHandCursor() const {
    ::SetCursor(m_hHandCursor);
}
