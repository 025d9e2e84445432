// The Split page as a person uses it: choosing a file and a folder, the sizes, the
// refusals, and a split from the button to the opened folder.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "res/resource.h"
#include "split/split_texts.h"
#include "split_merge_page_test.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;

const wchar_t kRangeMessage[] = L"“请填入一个在1和700之间的数字。”";

class SplitPageTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        if (IsSkipped()) return;
        StartOnTab(0);
    }

    fs::path MakeFile(const std::wstring& name, size_t size) {
        const fs::path file = m_folder / name;
        EXPECT_TRUE(WriteBytes(file, Pattern(size))) << file.string();
        return file;
    }

    bool ChooseSource(const fs::path& file) {
        return ChooseFileWith(IDC_SPLIT_BROWSE_SOURCE, file);
    }

    bool ChooseTarget(const fs::path& folder) {
        HWND browser = OpenDialog(IDC_SPLIT_BROWSE_TARGET);
        return browser && ChooseFolder(browser, m_app.handle(), folder.wstring());
    }

    std::wstring Text(int id) { return ControlText(m_page, id); }

    // Splits by number of parts, which takes files too small for a chunk of 1 MB.
    void SplitInTwo() {
        ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_BY_PARTS));
        ASSERT_TRUE(
            WaitUntil([&] { return IsControlChecked(m_page, IDC_SPLIT_BY_PARTS); }, kPatienceMs));
        ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_RUN));
        ASSERT_NE(OpenedByShell(), L"") << "the split did not open its folder";
    }

    // The range message after a press of `button`; answers it.
    void ExpectRangeMessage() {
        MessageBoxInfo box = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
        ASSERT_NE(box.window, nullptr) << "no message box";
        EXPECT_EQ(box.text, kRangeMessage);
        EXPECT_EQ(box.caption, L"Quillet");
        EXPECT_EQ(box.icon, IconKind::kExclamation);
        EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
    }

    void ExpectChunkEditFocusedAndSelected() {
        HWND edit = Control(m_page, IDC_SPLIT_CHUNK_MB);
        ASSERT_TRUE(
            WaitUntil([&] { return FocusedWindow(m_app.thread_id()) == edit; }, kPatienceMs));
        const Selection selection = EditSelection(edit);
        EXPECT_EQ(selection.start, 0);
        EXPECT_EQ(selection.end, static_cast<int>(Text(IDC_SPLIT_CHUNK_MB).size()));
    }
};

TEST_F(SplitPageTest, FirstDisplayShowsTheDefaultsWithSplitDisabledAndAnEmptyBar) {
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_PATH), L"");
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), L"");
    EXPECT_EQ(Text(IDC_SPLIT_CHUNK_MB), L"2");
    EXPECT_EQ(Text(IDC_SPLIT_PART_COUNT), L"2");
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_MB), L"0");
    EXPECT_TRUE(IsControlChecked(m_page, IDC_SPLIT_BY_SIZE));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_SPLIT_BY_PARTS));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_SPLIT_WITH_SPARE));
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_SPLIT_RUN));
    HWND bar = ProgressBarOf(m_page);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(IsWindowVisible(bar));
    EXPECT_EQ(ProgressPos(bar), 0);
    const DialogUnits units = MeasureUnits(m_page, QuilletExe(), IDD_SPLIT_PAGE);
    EXPECT_EQ(RectInParent(bar), units.Scaled(RECT{25, 260, 450, 280}));
    Photograph(L"split-first.bmp");
}

TEST_F(SplitPageTest, ChoosingAFileShowsItsWholeMegabytesAndProposesAFolderBesideIt) {
    const fs::path movie = MakeFile(L"movie.avi", 5000000);
    ASSERT_TRUE(ChooseSource(movie));
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_PATH), movie.wstring());
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_MB), L"4");
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), (m_folder / L"movie\\").wstring());
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_SPLIT_RUN));
    EXPECT_TRUE(IsHeldOpen(movie)) << "the chosen file is not held until the split";
}

TEST_F(SplitPageTest, ANameWithoutADotSplitsIntoPiecesWithAnEmptyExtension) {
    // The proposed folder would be the file itself, so the pieces go elsewhere.
    ASSERT_TRUE(fs::create_directory(m_folder / L"in"));
    ASSERT_TRUE(ChooseSource(MakeFile(L"in\\README", 3000)));
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), (m_folder / L"in\\README\\").wstring());
    ASSERT_TRUE(ChooseTarget(m_folder));
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), (m_folder / L"README\\").wstring());
    SplitInTwo();
    EXPECT_TRUE(fs::exists(m_folder / L"README" / L"README0..spt"));
    EXPECT_TRUE(fs::exists(m_folder / L"README" / L"README1..spt"));
}

TEST_F(SplitPageTest, ANameWithTwoDotsLosesOnlyItsLastExtensionFromTheTitle) {
    ASSERT_TRUE(ChooseSource(MakeFile(L"a.b.c", 3000)));
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), (m_folder / L"a.b\\").wstring());
    SplitInTwo();
    EXPECT_TRUE(fs::exists(m_folder / L"a.b" / L"a.b0.c.spt"));
    EXPECT_TRUE(fs::exists(m_folder / L"a.b" / L"a.b1.c.spt"));
}

TEST_F(SplitPageTest, ANameOutsideCodePage936IsPickedAndItsPiecesAreNamedFromIt) {
    const std::wstring title = L"\x65C5\x884C\U0001F600";  // 旅行 and an emoji
    const fs::path source = MakeFile(title + L".mp4", 3000);
    ASSERT_TRUE(ChooseSource(source));
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_PATH), source.wstring());
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), (m_folder / (title + L"\\")).wstring());
    SplitInTwo();
    EXPECT_TRUE(ReadBytes(m_folder / title / (title + L"0.mp4.spt")) ==
                PieceBytes(0, 2, 1500, Pattern(1500)))
        << "the first piece is missing or differs";
    EXPECT_TRUE(fs::exists(m_folder / title / (title + L"1.mp4.spt")));
}

TEST_F(SplitPageTest, AFolderChosenBeforeAnySourceEndsInTwoSeparators) {
    HWND browser = OpenDialog(IDC_SPLIT_BROWSE_TARGET);
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(FolderBrowserTitle(browser), L"选择路径...");
    ASSERT_TRUE(ChooseFolder(browser, m_app.handle(), m_folder.wstring()));
    EXPECT_EQ(Text(IDC_SPLIT_TARGET_FOLDER), m_folder.wstring() + L"\\\\");
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_SPLIT_RUN));
}

TEST_F(SplitPageTest, CancellingTheSourcePickerLetsGoOfTheFileAndSplitThenReportsNoFile) {
    const fs::path movie = MakeFile(L"movie.avi", 5000000);
    ASSERT_TRUE(ChooseSource(movie));
    ASSERT_TRUE(CancelDialogOf(IDC_SPLIT_BROWSE_SOURCE));
    EXPECT_EQ(Text(IDC_SPLIT_SOURCE_PATH), movie.wstring());
    EXPECT_FALSE(IsHeldOpen(movie));
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_SPLIT_RUN));

    MessageBoxInfo box = PressAndReadBox(IDC_SPLIT_RUN);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"没有找到 一未命名文件。");
    EXPECT_EQ(box.caption, L"Quillet");
    EXPECT_EQ(box.icon, IconKind::kStop);
    EXPECT_THAT(box.buttons, ElementsAre(IDOK));
    EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
    EXPECT_FALSE(fs::exists(m_folder / L"movie"));
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_SPLIT_RUN)) << "the page must stay usable";
}

TEST_F(SplitPageTest, ChoosingAFolderBringsBackTheStoredChunkSizeButCancellingKeepsTheTypedOne) {
    SetControlText(m_page, IDC_SPLIT_CHUNK_MB, L"5");
    ASSERT_TRUE(CancelDialogOf(IDC_SPLIT_BROWSE_TARGET));
    EXPECT_EQ(Text(IDC_SPLIT_CHUNK_MB), L"5");
    ASSERT_TRUE(ChooseTarget(m_folder));
    EXPECT_EQ(Text(IDC_SPLIT_CHUNK_MB), L"2");
}

TEST_F(SplitPageTest, AChunkSizeOutsideOneTo700IsRefusedWithTheFocusOnItsEdit) {
    ASSERT_TRUE(ChooseSource(MakeFile(L"movie.avi", 5000000)));
    for (const wchar_t* size : {L"0.5", L"701"}) {
        SCOPED_TRACE(ToUtf8(size));
        SetControlText(m_page, IDC_SPLIT_CHUNK_MB, size);
        ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_RUN));
        ExpectRangeMessage();
        ExpectChunkEditFocusedAndSelected();
    }
    EXPECT_FALSE(fs::exists(m_folder / L"movie")) << "a refused size must not split";
}

TEST_F(SplitPageTest, AChunkSizeOutsideTheRangeKeepsThePageInFrontOnATabChange) {
    SetControlText(m_page, IDC_SPLIT_CHUNK_MB, L"0.5");
    ASSERT_TRUE(ClickTab(m_sheet, m_app.handle(), 1));
    ExpectRangeMessage();
    ExpectChunkEditFocusedAndSelected();
    EXPECT_EQ(CurrentTab(m_sheet), 0);
    EXPECT_EQ(CurrentPage(m_sheet), m_page);

    SetControlText(m_page, IDC_SPLIT_CHUNK_MB, L"3");
    EXPECT_TRUE(SwitchToTab(m_sheet, m_app.handle(), 1, kPatienceMs));
}

TEST_F(SplitPageTest, ASplitWritesThePiecesFillsTheBarAndOpensTheFolder) {
    const std::string source = Pattern(5000000);
    const fs::path movie = m_folder / L"movie.avi";
    ASSERT_TRUE(WriteBytes(movie, source));
    ASSERT_TRUE(ChooseSource(movie));
    ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_RUN));

    const fs::path pieces = m_folder / L"movie";
    EXPECT_TRUE(SameFolder(OpenedByShell(), pieces.wstring()));
    const uint32_t kChunk = 2097152;
    const std::string expected[] = {
        PieceBytes(0, 3, kChunk, source.substr(0, kChunk)),
        PieceBytes(1, 3, kChunk, source.substr(kChunk, kChunk)),
        PieceBytes(2, 3, kChunk, source.substr(2 * kChunk)),
    };
    for (int i = 0; i < 3; ++i) {
        const fs::path piece = pieces / (L"movie" + std::to_wstring(i) + L".avi.spt");
        EXPECT_TRUE(ReadBytes(piece) == expected[i]) << piece.string() << " differs";
    }
    EXPECT_FALSE(IsHeldOpen(movie)) << "a finished split lets go of its source";
    const std::string lines = ReadBytes(pieces / L"movie.avi.sha256");
    for (int i = 0; i < 3; ++i) {
        const std::string line =
            Sha256Hex(expected[i]) + "  movie" + std::to_string(i) + ".avi.spt\n";
        EXPECT_NE(lines.find(line), std::string::npos) << lines;
    }
    EXPECT_NE(lines.find(ChecksumLineOf(movie)), std::string::npos) << lines;
    EXPECT_FALSE(fs::exists(pieces / L"movie.avi.parity")) << "the spare is asked for each start";

    HWND bar = ProgressBarOf(m_page);
    EXPECT_EQ(ProgressMax(bar), 488);
    EXPECT_EQ(ProgressPos(bar), 488);
    Photograph(L"split-done.bmp");
}

TEST_F(SplitPageTest, AnExistingFolderIsKeptOnNoAndReusedOnYes) {
    const fs::path movie = MakeFile(L"movie.avi", 3 * 1048576);
    const fs::path pieces = m_folder / L"movie";
    ASSERT_TRUE(fs::create_directory(pieces));
    ASSERT_TRUE(WriteBytes(pieces / L"movie0.avi.spt", "old piece"));
    ASSERT_TRUE(WriteBytes(pieces / L"notes.txt", "not a piece"));
    ASSERT_TRUE(ChooseSource(movie));

    MessageBoxInfo box = PressAndReadBox(IDC_SPLIT_RUN);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"目录已存在,覆盖吗?");
    EXPECT_EQ(box.caption, L"Quillet");
    EXPECT_EQ(box.icon, IconKind::kNone);
    EXPECT_THAT(box.buttons, ElementsAre(IDYES, IDNO));
    ASSERT_TRUE(AnswerMessageBox(box.window, IDNO));
    Sleep(500);
    EXPECT_EQ(ReadBytes(pieces / L"movie0.avi.spt"), "old piece");
    EXPECT_FALSE(fs::exists(pieces / L"movie1.avi.spt"));
    EXPECT_TRUE(Recorder().Entries().empty()) << "no folder opens after No";
    EXPECT_TRUE(IsHeldOpen(movie)) << "No keeps the source for another try";

    // An older series' checksum file and spare, which must not outlive its pieces.
    ASSERT_TRUE(WriteBytes(pieces / L"movie.avi.sha256", "old checksums"));
    ASSERT_TRUE(WriteBytes(pieces / L"movie.avi.parity", "old spare"));
    ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_WITH_SPARE));
    ASSERT_TRUE(
        WaitUntil([&] { return IsControlChecked(m_page, IDC_SPLIT_WITH_SPARE); }, kPatienceMs));
    box = PressAndReadBox(IDC_SPLIT_RUN);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"目录已存在,覆盖吗?");
    ASSERT_TRUE(AnswerMessageBox(box.window, IDYES));
    EXPECT_NE(OpenedByShell(), L"");
    EXPECT_EQ(fs::file_size(pieces / L"movie0.avi.spt"), 2097152u + 28);
    EXPECT_EQ(fs::file_size(pieces / L"movie1.avi.spt"), 1048576u + 28);
    EXPECT_EQ(ReadBytes(pieces / L"notes.txt"), "not a piece");
    const std::string lines = ReadBytes(pieces / L"movie.avi.sha256");
    for (const wchar_t* name : {L"movie0.avi.spt", L"movie1.avi.spt", L"movie.avi.parity"}) {
        EXPECT_NE(lines.find(ChecksumLineOf(pieces / name)), std::string::npos) << lines;
    }
    // The spare is the two pieces' data, each padded to the chunk, added up bit by bit.
    const std::string source = ReadBytes(movie);
    std::string spare = source.substr(0, 2097152);
    for (size_t i = 2097152; i < source.size(); ++i) spare[i - 2097152] ^= source[i];
    EXPECT_TRUE(ReadBytes(pieces / L"movie.avi.parity") ==
                "quillet-parity\n1\n2\n2097152\n" + std::to_string(source.size()) + "\n" + spare);
}

// A file of zeros that takes no time to make: a long split without a long set-up.
fs::path MakeSparseFile(const fs::path& file, LONGLONG size) {
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool made = h != INVALID_HANDLE_VALUE && SetFilePointerEx(h, end, nullptr, FILE_BEGIN) &&
                      SetEndOfFile(h);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    EXPECT_TRUE(made) << file.string();
    return file;
}

bool Responds(HWND window) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored) != 0;
}

// Mouse input in the screen's normalised 0 to 65535 scale, which no pointer speed alters.
INPUT MouseAt(POINT at, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = (at.x * 65536 + width - 1) / width;
    input.mi.dy = (at.y * 65536 + height - 1) / height;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

// Drags the title bar with the mouse, as a person would.
bool DragCaption(HWND window, int dx, int dy) {
    RECT rect;
    GetWindowRect(window, &rect);
    const POINT grip = {(rect.left + rect.right) / 2,
                        rect.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(grip.x, grip.y)) != HTCAPTION) {
        return false;
    }
    const POINT halfway = {grip.x + dx / 2, grip.y + dy / 2};
    const POINT end = {grip.x + dx, grip.y + dy};
    INPUT steps[] = {MouseAt(grip, 0), MouseAt(grip, MOUSEEVENTF_LEFTDOWN), MouseAt(halfway, 0),
                     MouseAt(end, 0), MouseAt(end, MOUSEEVENTF_LEFTUP)};
    for (INPUT& step : steps) {
        SendInput(1, &step, sizeof step);
        Sleep(150);  // pacing, as a hand would; the result is waited for below
    }
    return WaitUntil(
        [&] {
            RECT moved;
            GetWindowRect(window, &moved);
            return moved.left == rect.left + dx && moved.top == rect.top + dy;
        },
        kPatienceMs);
}

// Bytes in the pieces so far.
uintmax_t BytesIn(const fs::path& folder) {
    uintmax_t total = 0;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        total += entry.file_size(ignored);
    }
    return total;
}

// A split long enough for what a test does while it runs. The copy of a sparse source is
// over in a moment, but every piece file costs Wine its creation: 640 pieces outlast the
// checks under Wine, and a machine that finishes them first gets 5,120, then a source
// four times as large. The bar's range wraps above 640 MiB, and a position beyond the
// maximum shows a full bar.
struct LongSplit {
    long long megabytes;
    unsigned pieces;

    std::wstring Name(const wchar_t* prefix) const {
        return prefix + std::to_wstring(megabytes) + L"x" + std::to_wstring(pieces) + L"_";
    }
    std::string Piece(unsigned index) const {
        const auto chunk = static_cast<unsigned>(megabytes * 1048576 / pieces);
        return PieceBytes(index, pieces, chunk, std::string(chunk, '\0'));
    }
};
const LongSplit kLongSplits[] = {{300, 640}, {300, 5120}, {1200, 5120}, {3600, 5120}};

class LongSplitTest : public SplitPageTest {
  protected:
    // Splits `big` by parts and waits for the bar to move.
    void Start(const fs::path& big, const LongSplit& split) {
        ASSERT_TRUE(ChooseSource(big));
        ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_BY_PARTS));
        ASSERT_TRUE(
            WaitUntil([&] { return IsControlChecked(m_page, IDC_SPLIT_BY_PARTS); }, kPatienceMs));
        SetControlText(m_page, IDC_SPLIT_PART_COUNT, std::to_wstring(split.pieces));
        ASSERT_TRUE(ClickControl(m_page, IDC_SPLIT_RUN));
        ASSERT_TRUE(WaitUntil([&] { return ProgressPos(ProgressBarOf(m_page)) > 0; }, 60000))
            << "the bar never moved";
    }

    fs::path MakeSource(const std::wstring& name, const LongSplit& split) {
        return MakeSparseFile(m_folder / (name + L".bin"), split.megabytes * 1048576);
    }
};

std::string Describe(const LongSplit& split) {
    return std::to_string(split.megabytes) + " MB in " + std::to_string(split.pieces);
}

TEST_F(LongSplitTest, ALongSplitKeepsTheWindowAliveAndMovableButTakesNoOtherInput) {
    // The checks count only if the split was still running after the last of them. The
    // split writes only between the rounds of its message pump, so pieces that grow
    // after the window has answered a message sent behind the close prove that the
    // round which took the close has ended and the split went on.
    for (const LongSplit& split : kLongSplits) {
        SCOPED_TRACE(Describe(split));
        const std::wstring name = split.Name(L"big");
        const fs::path big = MakeSource(name, split);
        const fs::path pieces = m_folder / name;
        ASSERT_NO_FATAL_FAILURE(Start(big, split));

        HWND bar = ProgressBarOf(m_page);
        const bool responded = Responds(m_sheet);
        const int early = ProgressPos(bar);
        const bool dragged = DragCaption(m_sheet, 40, 30);
        ClickTab(m_sheet, m_app.handle(), 1);
        ClickControl(m_page, IDC_SPLIT_BROWSE_SOURCE);
        CloseSheet(m_sheet);
        // A close during the run asks whether to stop; No lets the split go on.
        const MessageBoxInfo question = WaitForMessageBox(m_app.pid(), m_sheet, 5000);
        if (question.window) AnswerMessageBox(question.window, IDNO);
        Responds(m_sheet);
        const uintmax_t written = BytesIn(pieces);
        const bool stillRunning =
            WaitUntil([&] { return BytesIn(pieces) > written || !IsHeldOpen(big); }, 120000) &&
            IsHeldOpen(big);

        const std::wstring opened = OpenedByShell(600000);
        if (!stillRunning) {
            std::printf("a split of %s ended before the checks; trying a longer one\n",
                        Describe(split).c_str());
            ASSERT_FALSE(opened.empty()) << "the split did not end";
            std::error_code ignored;
            fs::remove_all(pieces, ignored);
            fs::remove(big, ignored);
            if (IsWindowVisible(m_sheet)) {
                Recorder().Clear();
                continue;
            }
            // The close came after the end and was obeyed: the folder and the exit page.
            ASSERT_TRUE(m_app.WaitExit(kPatienceMs));
            Recorder().WaitForEntries(2, kPatienceMs);
            Recorder().Clear();
            StartOnTab(0);
            continue;
        }
        EXPECT_EQ(question.text, FromCodePage(split_text::kAskStopSplit, 936));
        EXPECT_TRUE(responded) << "the window stopped answering during the split";
        EXPECT_TRUE(dragged) << "the window could not be moved";
        EXPECT_GT(ProgressPos(bar), early) << "the bar did not move on";
        EXPECT_TRUE(SameFolder(opened, (pieces.wstring() + L"\\")));
        EXPECT_EQ(ProgressPos(bar), ProgressMax(bar));
        EXPECT_TRUE(IsWindowVisible(m_sheet)) << "a close during the split was obeyed";
        EXPECT_EQ(CurrentTab(m_sheet), 0);
        EXPECT_EQ(FindDialogOwnedBy(m_app.pid(), m_sheet), nullptr)
            << "a click during the split was obeyed";
        const unsigned last = split.pieces - 1;
        EXPECT_EQ(ReadBytes(pieces / (name + std::to_wstring(last) + L".bin.spt")),
                  split.Piece(last));
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
        return;
    }
    FAIL() << "even the longest split ended before the checks";
}

TEST_F(LongSplitTest, EscapeDuringASplitAndYesKeepTheWholePiecesAndRemoveTheUnfinishedOne) {
    // As above: the answer counts only if the split was still running when it came.
    for (const LongSplit& split : kLongSplits) {
        SCOPED_TRACE(Describe(split));
        const std::wstring name = split.Name(L"stop");
        const fs::path pieces = m_folder / name;
        ASSERT_NO_FATAL_FAILURE(Start(MakeSource(name, split), split));

        PostMessageW(m_page, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        const MessageBoxInfo question = WaitForMessageBox(m_app.pid(), m_sheet, 10000);
        if (!question.window) {
            ASSERT_NE(OpenedByShell(600000), L"") << "the split did not end";
            Recorder().Clear();
            continue;  // too short for this machine: a longer one
        }
        EXPECT_EQ(question.text, FromCodePage(split_text::kAskStopSplit, 936));
        ASSERT_TRUE(AnswerMessageBox(question.window, IDYES));
        const MessageBoxInfo said = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
        ASSERT_NE(said.window, nullptr) << "the stop was not reported";

        size_t count = 0;
        for (const auto& entry : fs::directory_iterator(pieces)) {
            // Each header holds its piece's number, so piece 10 is a byte longer than piece 9.
            const unsigned index = static_cast<unsigned>(
                std::stoul(entry.path().filename().wstring().substr(name.size())));
            EXPECT_EQ(entry.file_size(), split.Piece(index).size()) << entry.path().string();
            ++count;
        }
        ASSERT_GT(count, 0u);
        ASSERT_LT(count, split.pieces);
        for (unsigned i = 0; i < count; ++i) {
            ASSERT_EQ(ReadBytes(pieces / (name + std::to_wstring(i) + L".bin.spt")),
                      split.Piece(i))
                << "piece " << i;
        }
        EXPECT_NE(said.text.find(L" " + std::to_wstring(count) + L" "), std::wstring::npos)
            << ToUtf8(said.text);
        EXPECT_NE(said.text.find(pieces.wstring()), std::wstring::npos) << ToUtf8(said.text);
        ASSERT_TRUE(AnswerMessageBox(said.window, IDOK));
        EXPECT_TRUE(IsWindowVisible(m_sheet));
        EXPECT_TRUE(Recorder().Entries().empty()) << "a stopped split opened its folder";
        EXPECT_TRUE(SwitchToTab(m_sheet, m_app.handle(), 1, kPatienceMs)) << "the window is stuck";
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
        return;
    }
    FAIL() << "even the longest split ended before the stop";
}

TEST_F(LongSplitTest, ASessionEndDuringASplitIsRefusedAndEveryPieceComesOutWhole) {
    // As above: the answer counts only if the split was still running when it came.
    for (const LongSplit& split : kLongSplits) {
        SCOPED_TRACE(Describe(split));
        const std::wstring name = split.Name(L"end");
        const fs::path big = MakeSource(name, split);
        ASSERT_NO_FATAL_FAILURE(Start(big, split));

        DWORD_PTR answer = 1;
        const bool answered = SendMessageTimeoutW(m_sheet, WM_QUERYENDSESSION, 0, 0,
                                                  SMTO_ABORTIFHUNG, 5000, &answer) != 0;
        const bool duringRun = IsHeldOpen(big);
        ASSERT_NE(OpenedByShell(600000), L"") << "the split did not end";
        if (!duringRun) {
            Recorder().Clear();
            continue;  // too short for this machine: a longer one
        }
        EXPECT_TRUE(answered);
        EXPECT_EQ(answer, 0u) << "the session end was allowed mid-run";
        answer = 0;
        SendMessageTimeoutW(m_sheet, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
        EXPECT_NE(answer, 0u) << "a session end after the run was refused";
        for (unsigned i = 0; i < split.pieces; ++i) {
            const fs::path piece = m_folder / name / (name + std::to_wstring(i) + L".bin.spt");
            ASSERT_EQ(fs::file_size(piece), split.Piece(i).size()) << i;
        }
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
        return;
    }
    FAIL() << "even the longest split ended before the session end was asked";
}

}  // namespace
}  // namespace e2e
