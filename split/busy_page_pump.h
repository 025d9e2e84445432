// A split or merge runs on the window's thread. Between its blocks the window must still
// paint, show its progress and let itself be dragged, but take no other input until the
// run ends.
#pragma once

#include <windows.h>

// True for what may reach the sheet during a run: painting, timers and a drag of the
// title bar. Messages for windows outside the sheet pass.
bool PassesWhileBusy(const MSG& msg, HWND sheet);

class BusyPagePump {
  public:
    // Milliseconds that wrap around like GetTickCount.
    using Clock = DWORD (*)();

    // page: any window inside the sheet that runs the work. clock: the system's tick
    // count unless a test brings its own.
    explicit BusyPagePump(HWND page, Clock clock = nullptr);

    // True when the last round is at least kIntervalMs ago.
    bool IsDue() const;
    // Handles the waiting messages when a round is due.
    void KeepAlive();
    // One round now: every waiting message is dispatched or dropped.
    void Pump();
    // True once after a round took Escape, the close box or the close command for the
    // sheet: the user wants the run to stop.
    bool TakeStopRequest();

    static constexpr DWORD kIntervalMs = 50;

  private:
    HWND m_sheet;
    Clock m_clock;
    DWORD m_lastRound;
    bool m_bStopRequested = false;
};

// Escape in the sheet, its close box or its close command.
bool AsksToStop(const MSG& msg, HWND sheet);
