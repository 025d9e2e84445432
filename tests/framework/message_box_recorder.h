// Replaces the application's message boxes by a record of what would have been shown.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/framework/win_app.h"

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

class MessageBoxRecorder {
  public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    std::vector<RecordedBox> boxes;
    int answer = IDOK;
    std::function<void()> onShow;  // runs as each box would appear

  private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);

    CWinApp::MessageBoxFunction m_previous;
};
