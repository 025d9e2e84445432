// The templates' fonts and the drawing context's default font show Chinese only on a
// Chinese system. Elsewhere the window takes, at the same height, a font that can: a
// Chinese font that Windows ships, or whatever Chinese font the system's font mapper
// finds for the Chinese character set. On a code-page-936 system nothing changes.
#pragma once

#include <windows.h>

// A font like `font` in height and weight that shows Chinese; nullptr where `font` can
// be kept (the system's code page is 936). The font lives as long as the program.
HFONT ChineseFontLike(HFONT font);

// Gives the window and each of its child controls the Chinese font like its own, where
// one is needed. Sizes and positions stay as they are.
void UseChineseFontWhereNeeded(HWND window);
