// Polling with a deadline: the program under test runs in another process.
#pragma once

#include <windows.h>

namespace e2e {

// How long a test waits for what must happen: ample for a slow emulated PC, and paid in
// full only by a run that fails.
constexpr DWORD kPatienceMs = 60000;

// Calls `done` every `step_ms` until it returns true or `timeout_ms` has passed.
template <class Done>
bool WaitUntil(Done done, DWORD timeout_ms, DWORD step_ms = 20) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= timeout_ms) return false;
        Sleep(step_ms);
    }
}

}  // namespace e2e
