// A split or merge cut off by the end of the session leaves a piece shorter than its
// header says. While such a run is under way the sheet refuses the session's end and
// gives Windows the reason to show, so the user can wait for the run instead.
#pragma once

#include <windows.h>

#include <string>

class CSessionEndBlock {
  public:
    // window: any window of the sheet; reason: one of the program's own texts.
    CSessionEndBlock(HWND window, const std::string& reason);
    ~CSessionEndBlock();
    CSessionEndBlock(const CSessionEndBlock&) = delete;
    CSessionEndBlock& operator=(const CSessionEndBlock&) = delete;

    static bool IsHeld();

  private:
    HWND m_hTopLevel;
    bool m_bReasonShown;
};

// From now on the top-level window answers WM_QUERYENDSESSION with no while a block is
// held; otherwise it answers as before.
void RefuseSessionEndWhileBlocked(HWND topLevel);
