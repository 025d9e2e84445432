// The DPI a window is shown at, and a top-level window that follows a change of it.
#pragma once

#include <windows.h>

// The window's own DPI where the system tells it per window, else the screen's.
UINT WindowDpi(HWND window);

// On a DPI change (moved to another monitor, scaling changed) the window takes the
// rectangle the system suggests for the new DPI.
void TakeSuggestedRectOnDpiChange(HWND topLevel);
