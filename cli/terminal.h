// The engines' notifications for a terminal: messages on stderr, questions answered
// by --yes or by the user, a progress bar when stderr is a terminal, and the folder
// to open printed on stdout.
#pragma once

#include <chrono>
#include <functional>
#include <set>
#include <string>

#include "platform/engine_notifications.h"

class Terminal : public EngineNotifications {
  public:
    Terminal();
    ~Terminal() override { EndProgress(); }

    // The program's own texts, as the engines give them.
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    void SetProgressRange(uint32_t min, uint32_t max) override;
    void SetProgressPos(uint64_t pos) override;
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    // Prints the path on stdout.
    void OpenFolder(const std::string& path) override;
    // Runs the exchange the command installed; true when there is none.
    bool UpdateData() override;

    void SetAssumeYes(bool yes) { m_bAssumeYes = yes; }
    void SetExchange(std::function<bool()> exchange) { m_exchange = std::move(exchange); }
    // Prints why a run ended, unless the user has just been told exactly that.
    void ReportEnd(const std::string& reason);
    // A program text for stdout, such as the usage.
    void Print(const std::string& text);
    // Texts already in UTF-8, such as names or messages that hold one, for stderr and
    // for stdout.
    void ShowUtf8(const std::string& text);
    void PrintUtf8(const std::string& text);
    // Finishes the progress line, so that the next text starts on a line of its own.
    void EndProgress();

  private:
    void DrawProgress();

    bool m_bAssumeYes = false;
    bool m_bProgressShown;  // whether stderr is a terminal
    std::function<bool()> m_exchange;
    std::set<std::string> m_told;
    uint32_t m_nMax = 0;
    uint64_t m_nPos = 0;
    bool m_bDrawn = false;
    std::chrono::steady_clock::time_point m_lastDraw;
};
