#include "cli/terminal.h"

#include "cli/cli_texts.h"
#include "cli/console.h"

namespace {

constexpr size_t kBarWidth = 30;
// About ten redraws a second keep the bar alive without slowing the copy.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

Terminal::Terminal() : m_bProgressShown(console::IsTerminal(stderr)) {}

void Terminal::ShowMessage(const std::string& text) {
    ShowUtf8(console::FromText(text));
    m_told.insert(text);
}

void Terminal::ShowUtf8(const std::string& text) {
    EndProgress();
    console::Write(stderr, text + "\n");
}

bool Terminal::AskYesNo(const std::string& text) {
    EndProgress();
    m_told.insert(text);
    if (m_bAssumeYes) {
        console::Write(stderr, console::FromText(text + cli_text::kAnsweredYes));
        return true;
    }
    if (!console::IsTerminal(stdin)) {
        console::Write(stderr, console::FromText(text + cli_text::kAnsweredNo));
        return false;
    }
    console::Write(stderr, console::FromText(text + cli_text::kAskYesNo));
    std::string answer;
    if (!console::ReadLine(answer)) return false;
    size_t first = answer.find_first_not_of(" \t");
    return first != std::string::npos && (answer[first] == 'y' || answer[first] == 'Y');
}

void Terminal::SetProgressRange(uint32_t, uint32_t max) {
    m_nMax = max;
    m_nPos = 0;
}

void Terminal::SetProgressPos(uint64_t pos) {
    m_nPos = pos;
    if (!m_bProgressShown) return;
    auto now = std::chrono::steady_clock::now();
    if (m_bDrawn && now - m_lastDraw < kRedrawInterval) return;
    m_lastDraw = now;
    DrawProgress();
}

// Like the window's bar: the range maximum counts whole blocks modulo 65536, and a
// position past it shows a full bar.
void Terminal::DrawProgress() {
    uint64_t percent = m_nPos >= m_nMax ? 100 : m_nPos * 100 / m_nMax;
    size_t filled = static_cast<size_t>(percent * kBarWidth / 100);
    std::string line = "\r[" + std::string(filled, '#') + std::string(kBarWidth - filled, '-') +
                       "] " + std::to_string(percent) + "% " + std::to_string(m_nPos);
    console::Write(stderr, line);
    m_bDrawn = true;
}

void Terminal::EndProgress() {
    if (!m_bDrawn) return;
    DrawProgress();
    console::Write(stderr, "\n");
    m_bDrawn = false;
}

void Terminal::OpenFolder(const std::string& path) {
    EndProgress();
    console::Write(stdout, path + "\n");
}

bool Terminal::UpdateData() {
    return m_exchange ? m_exchange() : true;
}

void Terminal::ReportEnd(const std::string& reason) {
    if (reason.empty() || m_told.count(reason)) return;
    ShowMessage(reason);
}

void Terminal::Print(const std::string& text) {
    PrintUtf8(console::FromText(text));
}

void Terminal::PrintUtf8(const std::string& text) {
    EndProgress();
    console::Write(stdout, text);
}
