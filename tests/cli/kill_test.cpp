// Kills quillet-cli with SIGKILL at random points of a split, a merge and two renames
// of 2,000 entries. After every kill nothing but the named output may have changed,
// and the same command run again must finish the job. After a killed rename, undo
// must first put back every name, and an undo of that undo the names the kill left.
//
// Usage: kill_test WORK [--windows-paths] [--kills N] [--seed N] -- COMMAND...
// COMMAND runs the program (an emulator and the program's path, or the path alone);
// --windows-paths hands it paths as Wine's drive Z: shows them. The kill points are
// random but repeat with the seed it prints (or QUILLET_KILL_SEED).
//
// Plain C++ and POSIX, no test framework: the Windows build compiles it for the host.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> g_command;
bool g_windowsPaths = false;
std::string g_log;

// ---- files -------------------------------------------------------------------------

std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        std::exit(2);
    }
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

uintmax_t SizeOf(const fs::path& file) {
    std::error_code ignored;
    const uintmax_t size = fs::file_size(file, ignored);
    return ignored ? 0 : size;
}

// Bytes that differ along the file, so a misplaced block shows.
std::string Pattern(size_t size, unsigned salt) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 131 + i / 9973 + salt * 7) & 0xFF);
    }
    return bytes;
}

std::string PieceHeader(uint64_t index, uint64_t count, uint64_t chunk, uint64_t size) {
    return std::to_string(index) + "\n" + std::to_string(count) + "\n" + std::to_string(chunk) +
           "\n" + std::to_string(size) + "\nqkvspt$\n";
}

bool IsPrefix(const std::string& part, const std::string& whole) {
    return part.size() <= whole.size() && whole.compare(0, part.size(), part) == 0;
}

// A path as the program is given it.
std::string Arg(const fs::path& p) {
    std::string s = p.string();
    if (!g_windowsPaths) return s;
    std::replace(s.begin(), s.end(), '/', '\\');
    return "Z:" + s;
}

// ---- running and killing -------------------------------------------------------------

struct RunResult {
    bool killed = false;
    bool hung = false;
    int status = -1;  // exit status when it ended by itself
    int signal = 0;   // or the signal that ended it
};

// What a run is watched by: the share of the work done, and a short wait for more.
struct Watch {
    std::function<double()> progress;
    std::function<void()> wait;
    double killAt = 2;  // never reached: the run goes to its end
};

// Runs the program and kills it with SIGKILL as soon as the watch reaches killAt. Its
// output goes to the log, which a failure prints.
RunResult Run(const std::vector<std::string>& args, const Watch& watch) {
    std::vector<std::string> all = g_command;
    all.insert(all.end(), args.begin(), args.end());
    const pid_t pid = fork();
    if (pid == 0) {
        const int in = open("/dev/null", O_RDONLY);
        const int out = open(g_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(in, 0);
        dup2(out, 1);
        dup2(out, 2);
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(&a[0]);
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    // A run that hangs is a failure of its own, not a reason to wait for ever.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    RunResult result;
    int status = 0;
    for (;;) {
        if (waitpid(pid, &status, WNOHANG) == pid) break;
        const bool late = std::chrono::steady_clock::now() > giveUp;
        if (late || (watch.progress && watch.progress() >= watch.killAt)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.hung = late;
            break;
        }
        if (watch.wait) {
            watch.wait();
        } else {
            usleep(1000);
        }
    }
    result.killed = !result.hung && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

// ---- the scenarios -------------------------------------------------------------------

// One command, what it may change, and what its finished work is.
class Scenario {
  public:
    virtual ~Scenario() = default;
    virtual const char* name() const = 0;
    virtual void Prepare() = 0;  // the state before each killed run
    virtual std::vector<std::string> Args() const = 0;
    virtual std::vector<std::string> RerunArgs() const { return Args(); }
    virtual double Progress() = 0;        // share of the work visible on disk, 0 to 1
    virtual void Wait() { usleep(200); }  // until the work may have moved on
    // Problems found after a kill, and after the run that should finish the job.
    virtual std::vector<std::string> CheckKilled() const = 0;
    virtual std::vector<std::string> CheckFinished() const = 0;
    // For a command that can be undone: the undo, and the problems found after it.
    virtual std::vector<std::string> UndoArgs() const { return {}; }
    virtual std::vector<std::string> CheckUndone() const { return {}; }
    virtual std::string Describe() const = 0;  // what a kill left, in a few words
};

void ExpectSame(std::vector<std::string>& problems, const fs::path& file, const std::string& bytes,
                const char* what) {
    if (Read(file) != bytes) problems.push_back(std::string(what) + " changed: " + file.string());
}

class SplitScenario : public Scenario {
  public:
    explicit SplitScenario(const fs::path& work)
        : m_source(work / "src" / "movie.bin"), m_pieces(work / "pieces") {
        fs::create_directories(m_source.parent_path());
        fs::create_directories(m_pieces);
        m_bytes = Pattern((16u << 20) + 12345, 1);
        Write(m_source, m_bytes);
        Write(work / "src" / "notes.txt", "notes");
        for (const auto& [name, bytes] : Bystanders()) Write(m_pieces / name, bytes);
        const uint64_t chunk = 1u << 20, count = (m_bytes.size() + chunk - 1) / chunk;
        for (uint64_t i = 0; i < count; ++i) {
            const std::string data = m_bytes.substr(i * chunk, chunk);
            m_expected.push_back(PieceHeader(i, count, chunk, data.size()) + data);
            m_total += m_expected.back().size();
        }
    }
    const char* name() const override { return "split"; }
    void Prepare() override {
        for (size_t i = 0; i < m_expected.size(); ++i) fs::remove(Piece(i));
    }
    std::vector<std::string> Args() const override {
        return {"split", Arg(m_source), "--size", "1", "--into", Arg(m_pieces), "--yes"};
    }
    double Progress() override {
        uintmax_t done = 0;
        for (size_t i = 0; i < m_expected.size(); ++i) {
            const uintmax_t size = SizeOf(Piece(i));
            if (size == 0) break;
            done += size;
        }
        return static_cast<double>(done) / m_total;
    }
    std::vector<std::string> CheckKilled() const override {
        std::vector<std::string> problems = CheckOthers();
        // Pieces are written in order: whole ones, then at most one begun.
        bool begun = false;
        for (size_t i = 0; i < m_expected.size(); ++i) {
            if (!fs::exists(Piece(i))) {
                begun = true;
                continue;
            }
            const std::string bytes = Read(Piece(i));
            if (begun) problems.push_back("piece " + std::to_string(i) + " after a missing one");
            if (!IsPrefix(bytes, m_expected[i])) {
                problems.push_back("piece " + std::to_string(i) + " holds other bytes");
            }
            if (bytes.size() < m_expected[i].size()) begun = true;
        }
        return problems;
    }
    std::vector<std::string> CheckFinished() const override {
        std::vector<std::string> problems = CheckOthers();
        if (!fs::exists(Checksums())) problems.push_back("no checksum file");
        // The rerun clears what a killed one left of the series' old files.
        for (const std::string& n : Names(m_pieces)) {
            if (n.rfind("movie.bin.sha256.", 0) == 0) problems.push_back("a temporary left: " + n);
        }
        for (size_t i = 0; i < m_expected.size(); ++i) {
            if (Read(Piece(i)) != m_expected[i]) {
                problems.push_back("piece " + std::to_string(i) + " is not whole");
            }
        }
        return problems;
    }
    std::string Describe() const override {
        size_t whole = 0;
        while (whole < m_expected.size() && SizeOf(Piece(whole)) == m_expected[whole].size()) {
            ++whole;
        }
        std::string s = std::to_string(whole) + " whole pieces";
        if (whole < m_expected.size() && fs::exists(Piece(whole))) {
            s += ", piece " + std::to_string(whole) + " begun";
        }
        return s;
    }

  private:
    static std::vector<std::pair<std::string, std::string>> Bystanders() {
        return {{"keep.txt", "kept"}, {"other0.bin.spt", PieceHeader(0, 1, 5, 5) + "other"}};
    }
    fs::path Piece(size_t i) const { return m_pieces / ("movie" + std::to_string(i) + ".bin.spt"); }
    std::vector<std::string> CheckOthers() const {
        std::vector<std::string> problems;
        ExpectSame(problems, m_source, m_bytes, "the source");
        ExpectSame(problems, m_source.parent_path() / "notes.txt", "notes", "a file beside it");
        if (Names(m_source.parent_path()) != std::set<std::string>{"movie.bin", "notes.txt"}) {
            problems.push_back("the source's folder gained or lost an entry");
        }
        std::set<std::string> allowed;
        for (const auto& [name, bytes] : Bystanders()) {
            ExpectSame(problems, m_pieces / name, bytes, "a file among the pieces");
            allowed.insert(name);
        }
        for (size_t i = 0; i < m_expected.size(); ++i) allowed.insert(Piece(i).filename());
        allowed.insert(Checksums().filename());
        for (const std::string& n : Names(m_pieces)) {
            // A kill leaves the checksum file's temporary behind, never a part of it.
            const bool temporary = n.rfind("movie.bin.sha256.", 0) == 0;
            if (!allowed.count(n) && !temporary) problems.push_back("an unexpected entry " + n);
        }
        // Whole or absent: every piece's line and the source's, which comes after them.
        if (fs::exists(Checksums())) {
            const std::string text = Read(Checksums());
            const size_t lines = std::count(text.begin(), text.end(), '\n');
            if (lines != m_expected.size() + 2 || text.find("  movie.bin\n") == std::string::npos) {
                problems.push_back("a checksum file that is not whole");
            }
        }
        return problems;
    }
    fs::path Checksums() const { return m_pieces / "movie.bin.sha256"; }

    fs::path m_source, m_pieces;
    std::string m_bytes;
    std::vector<std::string> m_expected;
    uintmax_t m_total = 0;
};

class MergeScenario : public Scenario {
  public:
    explicit MergeScenario(const fs::path& work)
        : m_pieces(work / "pieces"), m_out(work / "out"), m_output(m_out / "joined.bin") {
        fs::create_directories(m_pieces);
        fs::create_directories(m_out);
        m_whole = Pattern((16u << 20) + 777, 2);
        const uint64_t chunk = 1u << 20, count = (m_whole.size() + chunk - 1) / chunk;
        for (uint64_t i = 0; i < count; ++i) {
            const std::string data = m_whole.substr(i * chunk, chunk);
            const fs::path piece = m_pieces / ("whole" + std::to_string(i) + ".bin.spt");
            m_inputs.push_back({piece, PieceHeader(i, count, chunk, data.size()) + data});
        }
        m_inputs.push_back({m_pieces / "notes.spt.txt", "a candidate without the magic"});
        m_inputs.push_back({m_out / "keep.txt", "kept"});
        for (const auto& [file, bytes] : m_inputs) Write(file, bytes);
    }
    const char* name() const override { return "merge"; }
    void Prepare() override { fs::remove(m_output); }
    std::vector<std::string> Args() const override {
        return {"merge", Arg(m_inputs[0].first), Arg(m_output)};
    }
    double Progress() override { return static_cast<double>(SizeOf(m_output)) / m_whole.size(); }
    std::vector<std::string> CheckKilled() const override {
        std::vector<std::string> problems = CheckInputs();
        if (fs::exists(m_output) && !IsPrefix(Read(m_output), m_whole)) {
            problems.push_back("the output holds other bytes than the start of the file");
        }
        return problems;
    }
    std::vector<std::string> CheckFinished() const override {
        std::vector<std::string> problems = CheckInputs();
        if (Read(m_output) != m_whole) problems.push_back("the output is not the whole file");
        return problems;
    }
    std::string Describe() const override {
        return std::to_string(SizeOf(m_output) >> 10) + " KiB of the output";
    }

  private:
    std::vector<std::string> CheckInputs() const {
        std::vector<std::string> problems;
        std::set<std::string> pieceNames;
        for (const auto& [file, bytes] : m_inputs) {
            ExpectSame(problems, file, bytes, "an input or a file beside one");
            if (file.parent_path() == m_pieces) pieceNames.insert(file.filename());
        }
        if (Names(m_pieces) != pieceNames) problems.push_back("the piece folder gained or lost");
        for (const std::string& n : Names(m_out)) {
            if (n != "keep.txt" && n != "joined.bin") problems.push_back("an unexpected " + n);
        }
        return problems;
    }

    fs::path m_pieces, m_out, m_output;
    std::string m_whole;
    std::vector<std::pair<fs::path, std::string>> m_inputs;
};

// 2,000 files renamed by one rule whose new names the rule does not change again, so
// a second run renames exactly the entries the first did not reach.
class RenameScenario : public Scenario {
  public:
    static constexpr int kEntries = 2000;

    RenameScenario(const fs::path& work, const char* label, std::vector<std::string> rule,
                   std::function<std::string(int)> oldName, std::function<std::string(int)> newName)
        : m_label(label),
          m_folder(work / "files"),
          m_rule(std::move(rule)),
          m_oldName(std::move(oldName)),
          m_newName(std::move(newName)) {
        for (int i = 0; i < kEntries; ++i) m_newNames.insert(m_newName(i));
    }

    const char* name() const override { return m_label; }
    void Prepare() override {
        fs::remove_all(m_folder);
        fs::create_directories(m_folder / "old_sub");
        for (int i = 0; i < kEntries; ++i) Write(m_folder / m_oldName(i), Content(i));
        // Hidden on POSIX; Wine shows dot files where its prefix says so, and then the
        // extension rule gives this one its own name again.
        Write(m_folder / ".keep.jpg", "hidden");
        Write(m_folder / "old_sub" / "IMG_x.JPG", "inside");
        if (m_watch >= 0) close(m_watch);
        m_watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (m_watch < 0 || inotify_add_watch(m_watch, m_folder.c_str(), IN_MOVED_TO) < 0) {
            std::perror("inotify");
            std::exit(2);
        }
        m_moved = 0;
    }
    std::vector<std::string> Args() const override {
        std::vector<std::string> args = {"rename", Arg(m_folder)};
        args.insert(args.end(), m_rule.begin(), m_rule.end());
        return args;
    }
    // Renames are counted as the system reports them: a run of 2,000 takes a few
    // milliseconds, too few to catch by looking at the folder between them.
    double Progress() override {
        char events[64 * 1024];
        ssize_t n;
        while ((n = read(m_watch, events, sizeof events)) > 0) {
            for (ssize_t at = 0; at < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(events + at);
                if ((e->mask & IN_MOVED_TO) && e->len > 0 && m_newNames.count(e->name)) ++m_moved;
                at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return static_cast<double>(m_moved) / kEntries;
    }
    void Wait() override {
        pollfd watched = {m_watch, POLLIN, 0};
        poll(&watched, 1, 1);
    }
    std::vector<std::string> CheckKilled() const override { return Check(kKilled); }
    std::vector<std::string> CheckFinished() const override { return Check(kFinished); }
    std::vector<std::string> UndoArgs() const override { return {"undo", Arg(m_folder)}; }
    std::vector<std::string> CheckUndone() const override { return Check(kUndone); }
    std::string Describe() const override {
        return std::to_string(Renamed()) + " of " + std::to_string(kEntries) + " renamed";
    }

  private:
    static std::string Content(int i) { return "entry " + std::to_string(i) + "\n"; }
    int Renamed() const {
        int n = 0;
        for (const std::string& name : Names(m_folder)) n += m_newNames.count(name) ? 1 : 0;
        return n;
    }
    enum Stage { kKilled, kFinished, kUndone };
    std::vector<std::string> Check(Stage stage) const {
        std::vector<std::string> problems;
        std::set<std::string> names = Names(m_folder);
        for (int i = 0; i < kEntries; ++i) {
            const bool atOld = names.erase(m_oldName(i)) > 0;
            const bool atNew = names.erase(m_newName(i)) > 0;
            if (atOld == atNew || (stage == kFinished && atOld) || (stage == kUndone && atNew)) {
                problems.push_back("entry " + std::to_string(i) +
                                   (atOld && atNew ? " is there twice"
                                    : atOld        ? " kept its old name"
                                    : atNew        ? " kept its new name"
                                                   : " is lost"));
                continue;
            }
            const fs::path file = m_folder / (atOld ? m_oldName(i) : m_newName(i));
            if (Read(file) != Content(i))
                problems.push_back("entry " + std::to_string(i) + " changed");
        }
        if (names != std::set<std::string>{".keep.jpg", "old_sub"}) {
            problems.push_back("the folder gained or lost entries besides the renamed ones");
        }
        ExpectSame(problems, m_folder / ".keep.jpg", "hidden", "a hidden file");
        ExpectSame(problems, m_folder / "old_sub" / "IMG_x.JPG", "inside", "a sub-folder's file");
        return problems;
    }

    const char* m_label;
    fs::path m_folder;
    std::vector<std::string> m_rule;
    std::function<std::string(int)> m_oldName, m_newName;
    std::set<std::string> m_newNames;
    int m_watch = -1;
    int m_moved = 0;
};

std::string Numbered(const char* head, int i, const char* tail) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", i);
    return head + std::string(number) + tail;
}

// ---- the campaign --------------------------------------------------------------------

struct Tally {
    int kills = 0, early = 0;
    double lowest = 1, highest = 0;
    std::vector<std::string> problems;
};

void PrintLog() {
    std::fprintf(stderr, "  its output: %s\n", Read(g_log).c_str());
}

Tally Campaign(Scenario& s, int kills, std::mt19937& random) {
    Tally t;
    std::uniform_real_distribution<double> within(0.0, 1.0);
    for (int k = 0; k < kills; ++k) {
        bool killed = false;
        // Stratified, so the kill points spread over the whole run.
        for (int attempt = 0; attempt < 10 && !killed; ++attempt) {
            const double target = std::max(0.002, (k + within(random)) / kills);
            s.Prepare();
            const RunResult run =
                Run(s.Args(), Watch{[&] { return s.Progress(); }, [&] { s.Wait(); }, target});
            if (run.hung) t.problems.push_back(std::string(s.name()) + ": a run hung");
            if (!run.killed) {
                ++t.early;
                if (run.status != 0) {
                    t.problems.push_back(std::string(s.name()) + ": a run failed by itself (" +
                                         (run.signal ? "signal " + std::to_string(run.signal)
                                                     : "exit " + std::to_string(run.status)) +
                                         ")");
                    PrintLog();
                }
                continue;
            }
            killed = true;
            ++t.kills;
            const double at = s.Progress();
            t.lowest = std::min(t.lowest, at);
            t.highest = std::max(t.highest, at);
            std::vector<std::string> found = s.CheckKilled();
            std::printf("%s kill %2d at %5.1f%% of the work (aimed at %5.1f%%): %s; %s", s.name(),
                        t.kills, at * 100, target * 100, s.Describe().c_str(),
                        found.empty() ? "nothing else touched" : "PROBLEMS");
            if (!s.UndoArgs().empty()) {
                // Undone, then the undo undone: back to what the kill left.
                const RunResult undo = Run(s.UndoArgs(), Watch{});
                std::vector<std::string> undone = s.CheckUndone();
                if (undo.status != 0)
                    undone.push_back("undo exited with " + std::to_string(undo.status));
                const RunResult redo = Run(s.UndoArgs(), Watch{});
                std::vector<std::string> redone = s.CheckKilled();
                if (redo.status != 0)
                    redone.push_back("its undo exited with " + std::to_string(redo.status));
                std::printf(", undo: %s, and undone: %s",
                            undone.empty() ? "every name back" : "PROBLEMS",
                            redone.empty() ? "as the kill left it" : "PROBLEMS");
                if (!undone.empty() || !redone.empty()) PrintLog();
                for (std::string& p : undone)
                    t.problems.push_back(s.name() + std::string(" undo: ") + p);
                for (std::string& p : redone)
                    t.problems.push_back(s.name() + std::string(" undo of the undo: ") + p);
            }
            const RunResult again = Run(s.RerunArgs(), Watch{});
            std::vector<std::string> after = s.CheckFinished();
            if (again.status != 0)
                after.push_back("the run again exited with " + std::to_string(again.status));
            std::printf(", run again: %s\n", after.empty() ? "finished the job" : "PROBLEMS");
            if (again.status != 0) PrintLog();
            for (std::string& p : found)
                t.problems.push_back(s.name() + std::string(" after a kill: ") + p);
            for (std::string& p : after)
                t.problems.push_back(s.name() + std::string(" run again: ") + p);
        }
        if (!killed) {
            t.problems.push_back(std::string(s.name()) + ": ten runs ended before kill point " +
                                 std::to_string(k + 1));
        }
    }
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(
            stderr,
            "usage: kill_test WORK [--windows-paths] [--kills N] [--seed N] -- COMMAND...\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const fs::path work = fs::absolute(argv[1]);
    int kills = 20;
    const char* seedText = std::getenv("QUILLET_KILL_SEED");
    unsigned seed = seedText ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                             : std::random_device()();
    int i = 2;
    for (; i < argc && std::string(argv[i]) != "--"; ++i) {
        const std::string a = argv[i];
        if (a == "--windows-paths") g_windowsPaths = true;
        if (a == "--kills" && i + 1 < argc) kills = std::atoi(argv[++i]);
        if (a == "--seed" && i + 1 < argc)
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
    }
    for (++i; i < argc; ++i) g_command.push_back(argv[i]);
    if (g_command.empty()) return 2;

    fs::remove_all(work);
    fs::create_directories(work);
    g_log = (work / "last-run.log").string();
    // The rename journals stay with the test, not in the user's state folder.
    setenv("XDG_STATE_HOME", (work / "state").c_str(), 1);
    std::printf(
        "kill points from seed %u (QUILLET_KILL_SEED=%u repeats them), %d kills per command\n",
        seed, seed, kills);
    std::mt19937 random(seed);

    std::vector<std::unique_ptr<Scenario>> scenarios;
    scenarios.push_back(std::make_unique<SplitScenario>(work / "split"));
    scenarios.push_back(std::make_unique<MergeScenario>(work / "merge"));
    scenarios.push_back(std::make_unique<RenameScenario>(
        work / "rename-replace", "rename --replace",
        std::vector<std::string>{"--replace", "old_", "new_"},
        [](int i) { return Numbered("old_", i, ".dat"); },
        [](int i) { return Numbered("new_", i, ".dat"); }));
    scenarios.push_back(std::make_unique<RenameScenario>(
        work / "rename-extension", "rename --extension",
        std::vector<std::string>{"--extension", "jpg"},
        [](int i) { return Numbered("IMG_", i, ".jpeg"); },
        [](int i) { return Numbered("IMG_", i, ".jpg"); }));

    int failures = 0;
    for (auto& s : scenarios) {
        const auto start = std::chrono::steady_clock::now();
        const Tally t = Campaign(*s, kills, random);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf(
            "== %s: %d kills between %.1f%% and %.1f%% of the work, %d runs ended before "
            "their kill point, %zu problems (%.0f s)\n",
            s->name(), t.kills, t.lowest * 100, t.highest * 100, t.early, t.problems.size(),
            took.count());
        for (const std::string& p : t.problems) std::printf("   %s\n", p.c_str());
        if (!t.problems.empty() || t.kills < kills) ++failures;
    }
    fs::remove_all(work);
    std::printf("%s\n", failures ? "FAILED"
                                 : "every kill left the data whole and every run again "
                                   "finished the job");
    return failures ? 1 : 0;
}
