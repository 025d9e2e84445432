// Splits one file into 2 MiB pieces with the window (Quillet.exe, driven like a person
// would) and with the console program (quillet-cli.exe), in pairs that alternate which
// goes first, and prints what the window's progress bar and busy-window pump add.
// Each run is timed from the moment its first piece appears to the moment its last
// piece is complete, so start-up, the pickers and the shell's open are left out and
// both programs are timed over the same file work. Prints figures; never fails a run.
// Usage: window_split_bench QUILLET_EXE CLI_EXE SOURCE BROWSER_SCRIPT RECORDER_EXE LOG PAIRS
// (Windows paths, except BROWSER_SCRIPT, the Unix path of record_browser.sh)
// clang-format off
#include <windows.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/pickers.h"
#include "driver/process.h"
#include "driver/sheet.h"
#include "driver/shell_recorder.h"
#include "driver/text.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "res/resource.h"

namespace fs = std::filesystem;
using namespace e2e;

namespace {

constexpr uint64_t kChunk = 2u << 20;  // the Split page's default of 2 MB
constexpr DWORD kLongWait = 600000;

// Where the pieces of a split go and how the last one ends.
struct Series {
    fs::path folder, first, last;
    uint64_t lastSize = 0;
};

Series SeriesOf(const fs::path& source) {
    const uint64_t length = fs::file_size(source);
    const uint64_t count = length / kChunk + (length % kChunk != 0 ? 1 : 0);
    const uint64_t lastData = length - (count - 1) * kChunk;
    const std::wstring title = source.stem().wstring(), ext = source.extension().wstring();
    auto piece = [&](uint64_t i) { return title + std::to_wstring(i) + ext + L".spt"; };
    Series s;
    s.folder = source.parent_path() / title;
    s.first = s.folder / piece(0);
    s.last = s.folder / piece(count - 1);
    const std::string header = std::to_string(count - 1) + "\n" + std::to_string(count) + "\n" +
                               std::to_string(kChunk) + "\n" + std::to_string(lastData) +
                               "\nqkvspt$\n";
    s.lastSize = header.size() + lastData;
    return s;
}

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

uint64_t SizeOf(const fs::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool Exists(const fs::path& file) {
    return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Seconds from the first piece's creation to the last piece's completion; -1 when the
// split did not get there.
double TimeCopy(const Series& s) {
    if (!WaitUntil([&] { return Exists(s.first); }, kLongWait, 1)) return -1;
    const double start = Now();
    if (!WaitUntil([&] { return SizeOf(s.last) >= s.lastSize; }, kLongWait, 1)) return -1;
    return Now() - start;
}

void RemoveFolder(const fs::path& folder) {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

class WindowRuns {
  public:
    WindowRuns(const std::wstring& exe, const ShellRecorder& recorder)
        : m_exe(exe), m_recorder(recorder) {}

    bool Start() {
        if (!m_app.Start(m_exe)) return false;
        m_sheet = WaitForSheet(m_app.pid(), 60000);
        return m_sheet != nullptr;
    }

    // The source is chosen again each time: a finished split lets go of it.
    double Split(const fs::path& source, const Series& s) {
        HWND page = CurrentPage(m_sheet);
        if (!ClickControl(page, IDC_SPLIT_BROWSE_SOURCE)) return -1;
        HWND picker = WaitForDialogOwnedBy(m_app.pid(), m_sheet, 30000);
        if (!picker || !ChooseFile(picker, source.wstring())) return -1;
        m_recorder.Clear();
        if (!ClickControl(page, IDC_SPLIT_RUN)) return -1;
        const double seconds = TimeCopy(s);
        // The run ends with the shell's open of the folder.
        if (!m_recorder.WaitForEntries(1, kLongWait)) return -1;
        return seconds;
    }

    void Close() {
        if (!m_sheet) return;
        CloseSheet(m_sheet);
        m_app.WaitExit(30000);
    }

  private:
    std::wstring m_exe;
    const ShellRecorder& m_recorder;
    AppProcess m_app;
    HWND m_sheet = nullptr;
};

double CliSplit(const std::wstring& exe, const fs::path& source, const Series& s) {
    std::wstring command = L"\"" + exe + L"\" split \"" + source.wstring() + L"\" --yes";
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0,
                                        nullptr, nullptr, &startup, &info);
    CloseHandle(nul);
    if (!started) return -1;
    const double seconds = TimeCopy(s);
    WaitForSingleObject(info.hProcess, kLongWait);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return seconds;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: window_split_bench QUILLET_EXE CLI_EXE SOURCE BROWSER_SCRIPT "
                     "RECORDER_EXE LOG PAIRS\n");
        return 2;
    }
    const std::wstring quillet = argv[1], cli = argv[2];
    const fs::path source = argv[3];
    const ShellRecorder recorder(ToUtf8(argv[4]), argv[5], argv[6]);
    const int pairs = std::max(1, _wtoi(argv[7]));
    std::wstring error;
    if (!recorder.Install(&error)) {
        std::fprintf(stderr, "%s\n", ToUtf8(error).c_str());
        return 0;
    }
    const Series s = SeriesOf(source);
    const uint64_t steps = (fs::file_size(source) + 10239) / 10240;

    WindowRuns window(quillet, recorder);
    if (!window.Start()) {
        std::fprintf(stderr, "the window did not start\n");
        return 0;
    }
    std::printf("%-6s %12s %12s %8s\n", "pair", "window", "cli", "ratio");
    std::vector<double> ratios, windowTimes, cliTimes;
    for (int pair = 1; pair <= pairs; ++pair) {
        double w = -1, c = -1;
        // Alternate who goes first, so neither always meets a disk that is still busy.
        for (int turn = 0; turn < 2; ++turn) {
            RemoveFolder(s.folder);
            if ((turn == 0) == (pair % 2 == 1)) {
                w = window.Split(source, s);
            } else {
                c = CliSplit(cli, source, s);
            }
        }
        RemoveFolder(s.folder);
        if (w <= 0 || c <= 0) {
            std::printf("%-6d a run did not finish (window %.3f s, cli %.3f s)\n", pair, w, c);
            continue;
        }
        windowTimes.push_back(w);
        cliTimes.push_back(c);
        ratios.push_back(w / c);
        std::printf("%-6d %10.3f s %10.3f s %8.3f\n", pair, w, c, w / c);
        std::fflush(stdout);
    }
    window.Close();
    if (ratios.empty()) return 0;
    std::printf("%-6s %10.3f s %10.3f s %8.3f\n", "median", Median(windowTimes), Median(cliTimes),
                Median(ratios));
    const double fastestWindow = *std::min_element(windowTimes.begin(), windowTimes.end());
    const double fastestCli = *std::min_element(cliTimes.begin(), cliTimes.end());
    std::printf("%-6s %10.3f s %10.3f s %8.3f\n", "min", fastestWindow, fastestCli,
                fastestWindow / fastestCli);
    std::printf(
        "window / cli: min %.3f, median %.3f, max %.3f over %zu pairs; %llu progress "
        "steps per split\n",
        *std::min_element(ratios.begin(), ratios.end()), Median(ratios),
        *std::max_element(ratios.begin(), ratios.end()), ratios.size(),
        static_cast<unsigned long long>(steps));
    return 0;
}
