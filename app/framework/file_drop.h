// Files and folders dragged onto a window from the shell (WM_DROPFILES).
#pragma once

#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <string>
#include <vector>

// Lets the window take drops, also from a shell that runs with other rights than ours.
void AcceptDroppedFiles(HWND window);

struct DroppedEntry {
    std::string path;  // UTF-8
    bool folder;
};

// What was dropped, in the order given; the drop is finished with it.
std::vector<DroppedEntry> TakeDroppedFiles(HDROP drop);
