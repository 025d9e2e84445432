// What one position costs the progress bar under Wine: the bar the Split page shows, sent
// a run of positions while it draws each, while it is held from drawing, and the two
// system calls a held bar still makes for each. Prints microseconds per position. (Wine
// themes the bar alike with and without the common-controls manifest.)
// Usage: progress_bar_bench [POSITIONS]
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/framework/progress_ctrl.h"

namespace {

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void DrainMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

void Time(const char* what, int count, const std::function<void(int)>& step) {
    DrainMessages();
    const double start = Now();
    for (int i = 1; i <= count; ++i) step(i);
    std::printf("%-52s %9.1f us\n", what, (Now() - start) / count * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    // A sheet with a page on it, as the bar's own.
    HWND sheet = CreateWindowA("STATIC", "bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 480, 340,
                               nullptr, nullptr, nullptr, nullptr);
    HWND page = sheet ? CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 5, 25, 470, 300, sheet,
                                      nullptr, nullptr, nullptr)
                      : nullptr;
    CProgressCtrl bar;
    if (!page || !bar.Create(WS_CHILD | WS_VISIBLE, RECT{25, 260, 450, 280}, page, 0)) {
        std::fprintf(stderr, "no window: run on a display\n");
        return 0;
    }
    bar.SetRange(1, 65535);
    std::printf("%d positions; microseconds per position\n", count);
    Time("PBM_GETPOS (the message alone)", count, [&](int) { bar.SendMessage(PBM_GETPOS); });
    Time("PBM_SETPOS, the bar drawing each", count, [&](int i) { bar.SetPos(i); });
    bar.HoldDrawing();
    Time("PBM_SETPOS, the bar held from drawing", count, [&](int i) { bar.SetPos(count + i); });
    Time("  of which InvalidateRect of the held bar", count,
         [&](int) { InvalidateRect(bar.m_hWnd, nullptr, FALSE); });
    Time("  of which UpdateWindow of the held bar", count, [&](int) { UpdateWindow(bar.m_hWnd); });
    Time("a pump round's drawing of the bar", count / 10 + 1, [&](int) {
        bar.DrawNow();
        bar.HoldDrawing();
    });
    DestroyWindow(sheet);
    return 0;
}
