// Pictures of the screen under the program's windows, kept with the build for people to look at.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Brings `window` to the front, lets it repaint and writes what the screen shows of it as a
// 24-bit BMP file.
bool SaveWindowPicture(HWND window, const std::wstring& bmp_path);

}  // namespace e2e
