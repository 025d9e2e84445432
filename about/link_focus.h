// A window with no face of its own that takes the keyboard focus for the About page's links,
// which the page draws itself: Tab reaches it, and it hands the page the keys it is given.
#pragma once

#include <windows.h>

namespace link_focus {

// Sent to the page: wParam is the virtual key pressed.
constexpr UINT kKeyMessage = WM_APP + 1;
// Sent to the page: wParam is TRUE when the focus arrived, FALSE when it left.
constexpr UINT kFocusMessage = WM_APP + 2;

HWND Create(HWND page);
// Screen readers read the focus window's text: it names the link the rectangle is on.
void Name(HWND focus, const char* cp936_text);

}  // namespace link_focus
