// Hooks of the split, merge and verify commands for the checksum file and the spare.
#pragma once

#include <functional>
#include <string>

#include "cli/terminal.h"

struct ChecksumList;
struct MergeFields;

// The terminal's notifications, with a start call once the engine starts copying:
// its chunk size or its pieces are then known.
class StartAtCopy : public EngineNotifications {
  public:
    StartAtCopy(Terminal& terminal, std::function<void()> start)
        : m_terminal(terminal), m_start(std::move(start)) {}
    void ShowMessage(const std::string& text) override { m_terminal.ShowMessage(text); }
    bool AskYesNo(const std::string& text) override { return m_terminal.AskYesNo(text); }
    void SetProgressRange(uint32_t min, uint32_t max) override;
    void SetProgressPos(uint64_t pos) override { m_terminal.SetProgressPos(pos); }
    void BeginWaitCursor() override { m_terminal.BeginWaitCursor(); }
    void EndWaitCursor() override { m_terminal.EndWaitCursor(); }
    void OpenFolder(const std::string& path) override { m_terminal.OpenFolder(path); }
    bool UpdateData() override { return m_terminal.UpdateData(); }

  private:
    Terminal& m_terminal;
    std::function<void()> m_start;
};

// verify: every piece against the series' checksum file; true when each holds what
// its line says, or when there is no checksum file (which it then says).
bool VerifyContents(const std::string& piecePath, const std::string& sourceName,
                    Terminal& terminal);

// merge with the checksum file: the pieces and the joined data checked beside the copy.
int RunCheckedMerge(const MergeFields& fields, const std::string& checksumPath,
                    const ChecksumList& list, Terminal& terminal);
