// What an engine asks of whoever drives it: the window, the terminal or a test.
#pragma once

#include <cstdint>
#include <string>

class EngineNotifications {
public:
    virtual ~EngineNotifications() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    virtual void SetProgressRange(uint32_t min, uint32_t max) = 0;
    virtual void SetProgressPos(uint64_t pos) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    virtual void OpenFolder(const std::string& path) = 0;
    // The page's data exchange into its fields; false when a validation failed.
    virtual bool UpdateData() = 0;
    // Asked between blocks of a long run: true when the user chose to stop it there.
    virtual bool StopRequested() { return false; }
};

// Ends the wait cursor on every path out of an engine, failures included.
class WaitCursorScope {
public:
    explicit WaitCursorScope(EngineNotifications& n) : m_notify(n) { m_notify.BeginWaitCursor(); }
    ~WaitCursorScope() { m_notify.EndWaitCursor(); }
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    EngineNotifications& m_notify;
};
