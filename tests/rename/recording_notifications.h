// Records what the rename engine asks of its caller; the rename engine needs only
// messages and the shell's open, so everything else fails the test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/engine_notifications.h"

class RecordingNotifications : public EngineNotifications {
  public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void OpenFolder(const std::string& path) override { openedFolders.push_back(path); }

    bool AskYesNo(const std::string&) override { return Unexpected("AskYesNo"); }
    void SetProgressRange(uint32_t, uint32_t) override { Unexpected("SetProgressRange"); }
    void SetProgressPos(uint64_t) override { Unexpected("SetProgressPos"); }
    void BeginWaitCursor() override { Unexpected("BeginWaitCursor"); }
    void EndWaitCursor() override { Unexpected("EndWaitCursor"); }
    bool UpdateData() override { return Unexpected("UpdateData"); }

    std::vector<std::string> messages;
    std::vector<std::string> openedFolders;

  private:
    static bool Unexpected(const char* call) {
        ADD_FAILURE() << "the rename engine called " << call;
        return false;
    }
};
