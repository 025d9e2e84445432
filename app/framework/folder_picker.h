// The shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

// Shows the browser owned by owner, rooted at the desktop, offering only file-system
// folders; title is one of the program's own texts. The chosen path comes as UTF-8.
// False when the user cancels or the choice has no file-system path; path is then left
// alone.
bool BrowseForFolder(HWND owner, const std::string& title, std::string& path);
