// The batch rename tab as a person uses it: its first look, the radios and the check box seen
// through real runs on real folders, the folder picker, "查看结果", and the three boxes a run
// can end with; the preview against quillet-cli's dry run, and undo between the window and the
// command line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <vector>

#include "driver/message_box.h"
#include "driver/pickers.h"
#include "driver/remote_buffer.h"
#include "driver/screenshot.h"
#include "driver/wait.h"
#include "driver/window.h"
#include "quillet_test.h"
#include "res/resource.h"

namespace e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using Names = std::vector<std::wstring>;

constexpr int kRenameTab = 2;
// Long enough for a box or a shell open that should not come at all.
constexpr DWORD kQuietMs = 1000;

void DeleteTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(JoinPath(path, L"*").c_str(), &found);
    if (listing != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = JoinPath(path, name);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(listing, &found));
        FindClose(listing);
    }
    RemoveDirectoryW(path.c_str());
}

// A fresh folder for one test: files, then sub-folders (names ending in a backslash).
std::wstring MakeFolder(const std::wstring& name, const Names& entries) {
    const std::wstring root = JoinPath(WorkFolder(), L"rename-page");
    CreateDirectoryW(root.c_str(), nullptr);
    const std::wstring folder = JoinPath(root, name);
    DeleteTree(folder);
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << ToUtf8(folder);
    for (const std::wstring& entry : entries) {
        const std::wstring path = JoinPath(folder, entry);
        if (entry.back() == L'\\') {
            EXPECT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << ToUtf8(path);
            continue;
        }
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << ToUtf8(path);
        // Each file holds its name, so an undo can be seen to put every content back.
        const std::string content = ToUtf8(entry);
        DWORD written = 0;
        WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }
    return folder;
}

// The folder's entries, sorted; sub-folders end in a backslash.
Names NamesIn(const std::wstring& folder) {
    Names names;
    WIN32_FIND_DATAW found;
    HANDLE listing = FindFirstFileW(JoinPath(folder, L"*").c_str(), &found);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) name += L'\\';
        names.push_back(name);
    } while (FindNextFileW(listing, &found));
    FindClose(listing);
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

// The files of the folder whose content is not the name they were made under.
Names MovedContents(const std::wstring& folder) {
    Names moved;
    for (const std::wstring& name : NamesIn(folder)) {
        if (name.back() != L'\\' && ReadAll(JoinPath(folder, name)) != ToUtf8(name)) {
            moved.push_back(name);
        }
    }
    return moved;
}

std::vector<std::wstring> Lines(const std::string& utf8) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = utf8.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string line = utf8.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(FromUtf8(line));
    }
    return lines;
}

// Runs quillet-cli.exe as a user would, with its stdout (UTF-8 when redirected) into out.
int RunCli(const std::wstring& args, std::string* out = nullptr) {
    // Files of their own for each run: a console host may hold the last ones a while.
    static int runs = 0;
    const std::wstring run =
        std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++runs);
    const std::wstring printed = JoinPath(WorkFolder(), L"rename-page-cli-" + run + L".out");
    const std::wstring told = JoinPath(WorkFolder(), L"rename-page-cli-" + run + L".err");
    SECURITY_ATTRIBUTES inherited = {sizeof(inherited), nullptr, TRUE};
    HANDLE files[2];
    int i = 0;
    for (const std::wstring& path : {printed, told}) {
        files[i++] = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(files[i - 1], INVALID_HANDLE_VALUE) << ToUtf8(path);
    }
    STARTUPINFOW start = {};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = files[0];
    start.hStdError = files[1];
    std::wstring command = L"\"" + QuilletCliExe() + L"\" " + args;
    PROCESS_INFORMATION info = {};
    DWORD status = 99;
    if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &start, &info)) {
        WaitForSingleObject(info.hProcess, kPatienceMs);
        GetExitCodeProcess(info.hProcess, &status);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    CloseHandle(files[0]);
    CloseHandle(files[1]);
    if (out) *out = ReadAll(printed);
    EXPECT_NE(status, 99u) << ToUtf8(command) << ": " << ReadAll(told);
    DeleteFileW(printed.c_str());
    DeleteFileW(told.c_str());
    return static_cast<int>(status);
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// One column of a list view in the program under test, row by row.
Names ListColumn(HANDLE process, HWND list, int column) {
    constexpr int kChars = 1024;
    const size_t bytes = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    RemoteBuffer remote(process, bytes);
    Names rows;
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; remote.ok() && row < count; ++row) {
        LVITEMW item = {};
        item.iSubItem = column;
        item.cchTextMax = kChars;
        item.pszText =
            reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(LVITEMW));
        std::vector<char> back(bytes, 0);
        remote.Write(&item, sizeof(item));
        SendMessageW(list, LVM_GETITEMTEXTW, row, remote.as_lparam());
        remote.Read(back.data(), bytes);
        rows.push_back(reinterpret_cast<const wchar_t*>(back.data() + sizeof(LVITEMW)));
    }
    return rows;
}

class RenamePageTest : public QuilletTest {
  protected:
    void SetUp() override {
        QuilletTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_TRUE(Start());
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), kRenameTab, kPatienceMs));
        m_page = CurrentPage(m_sheet);
        ASSERT_NE(m_page, nullptr);
    }

    // Radios and the check box open nothing, so their click is sent and has taken effect
    // when it returns.
    void Choose(int id) { SendMessageW(Control(m_page, id), BM_CLICK, 0, 0); }
    // Buttons may open a box, so their click is posted.
    void Click(int id) { ASSERT_TRUE(ClickControl(m_page, id)) << "control " << id; }
    void Type(int id, const std::wstring& text) { SetControlText(m_page, id, text); }

    // Presses "执行操作" and returns the box the run ends with, already answered.
    MessageBoxInfo ExecuteExpectingBox() {
        Click(IDC_RENAME_EXECUTE);
        MessageBoxInfo box = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(box.window, nullptr) << "the run showed no message";
        if (box.window) {
            EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
        }
        return box;
    }
    void ExpectSuccessBox(const MessageBoxInfo& box) {
        EXPECT_EQ(box.text, L"改名操作成功!");
        EXPECT_EQ(box.caption, L"Quillet");
        EXPECT_EQ(box.icon, IconKind::kNone) << IconKindName(box.icon);
        EXPECT_THAT(box.buttons, ElementsAre(IDOK));
    }
    void ExecuteExpectingSuccess() { ExpectSuccessBox(ExecuteExpectingBox()); }
    void ExecuteExpectingSilence() {
        Click(IDC_RENAME_EXECUTE);
        ExpectNoBox();
    }
    void ExpectNoBox() {
        Sleep(kQuietMs);
        const HWND box = FindDialogOwnedBy(m_app.pid(), m_sheet);
        EXPECT_EQ(box, nullptr) << "unexpected box: " << ToUtf8(ReadMessageBox(box).text);
        if (box) AnswerMessageBox(box, IDOK);
    }

    HWND OpenFolderBrowser() {
        Click(IDC_RENAME_BROWSE);
        HWND browser = WaitForDialogOwnedBy(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(browser, nullptr) << "no folder browser";
        return browser;
    }
    bool PickFolder(const std::wstring& folder) {
        HWND browser = OpenFolderBrowser();
        return browser && ChooseFolder(browser, m_app.handle(), folder) &&
               WaitUntil([&] { return ControlText(m_page, IDC_RENAME_FOLDER) == folder; },
                         kPatienceMs);
    }

    // Presses a button and returns the box it opens, answered with answer; a picture of
    // it is taken first where one is named.
    MessageBoxInfo ClickExpectingBox(int id, int answer, const std::wstring& picture = {}) {
        Click(id);
        MessageBoxInfo box = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(box.window, nullptr) << "control " << id << " showed no box";
        if (!box.window) return box;
        if (!picture.empty()) SaveWindowPicture(box.window, ScreenshotPath(picture));
        EXPECT_TRUE(AnswerMessageBox(box.window, answer));
        return box;
    }
    // "撤 销" answered Yes: the question and the report that follows it.
    MessageBoxInfo UndoOnThePage(const std::wstring& picture = {}) {
        const MessageBoxInfo question = ClickExpectingBox(IDC_RENAME_UNDO, IDYES, picture);
        EXPECT_THAT(question.buttons, ElementsAre(IDYES, IDNO)) << ToUtf8(question.text);
        MessageBoxInfo report = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
        EXPECT_NE(report.window, nullptr) << "the undo reported nothing";
        if (report.window) {
            EXPECT_TRUE(AnswerMessageBox(report.window, IDOK));
        }
        return report;
    }

    HWND m_page = nullptr;
};

TEST_F(RenamePageTest, FirstDisplayChecksFilesAndSequenceAndShowsTheDefaults) {
    EXPECT_TRUE(IsControlChecked(m_page, IDC_RENAME_FILES_ONLY));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_FOLDERS_ONLY));
    EXPECT_TRUE(IsControlChecked(m_page, IDC_RENAME_CHANGE_NAME));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_REPLACE_TEXT));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_CHANGE_EXT));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_NUMBER_FIRST));
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_NEW_EXT), L"txt");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_NEW_NAME), L"name");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_FOLDER), L"");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_INCREMENT), L"1");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_FIND), L"");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_REPLACE), L"");
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_RENAME_NEW_EXT));
    EXPECT_TRUE(SaveWindowPicture(m_sheet, JoinPath(ScreenshotFolder(), L"rename-page.bmp")));
}

TEST_F(RenamePageTest, KindRadiosChooseFilesOrFoldersAndSwitchTheExtensionField) {
    const std::wstring folder = MakeFolder(L"kind", {L"a.txt", L"b.txt", L"d.x\\"});
    Type(IDC_RENAME_FOLDER, folder);

    Choose(IDC_RENAME_FOLDERS_ONLY);
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_RENAME_NEW_EXT));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_FILES_ONLY));
    // The kind radios leave the rule alone: still the sequence rule, on the folder only.
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt", L"b.txt", L"name001\\"));

    // Folders have no extension to change: nothing happens and nothing is said.
    Choose(IDC_RENAME_CHANGE_EXT);
    EXPECT_FALSE(IsControlEnabled(m_page, IDC_RENAME_NEW_EXT));
    ExecuteExpectingSilence();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt", L"b.txt", L"name001\\"));

    Choose(IDC_RENAME_FILES_ONLY);
    EXPECT_TRUE(IsControlEnabled(m_page, IDC_RENAME_NEW_EXT));
    Type(IDC_RENAME_NEW_EXT, L"md");
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.md", L"b.md", L"name001\\"));
}

TEST_F(RenamePageTest, EachRuleRadioClearsTheOtherTwoRules) {
    // A rule left on renames the listed name a second time after the chosen rule moved
    // it, which fails with a file error; each step's texts are set so that it would.
    const std::wstring folder = MakeFolder(L"rules", {L"a.txt"});
    Type(IDC_RENAME_FOLDER, folder);

    Choose(IDC_RENAME_CHANGE_EXT);
    Type(IDC_RENAME_NEW_EXT, L"dat");
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.dat"));

    Type(IDC_RENAME_NEW_EXT, L"x");
    Choose(IDC_RENAME_REPLACE_TEXT);
    Type(IDC_RENAME_FIND, L"a");
    Type(IDC_RENAME_REPLACE, L"bb");
    ExecuteExpectingSilence();  // replacements never report success
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"bb.dbbt"));

    Type(IDC_RENAME_FIND, L"bb");
    Type(IDC_RENAME_REPLACE, L"c");
    Choose(IDC_RENAME_CHANGE_NAME);
    ExecuteExpectingSuccess();
    ExpectNoBox();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"name001.dbbt"));
    EXPECT_TRUE(IsControlChecked(m_page, IDC_RENAME_CHANGE_NAME));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_REPLACE_TEXT));
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_CHANGE_EXT));
}

TEST_F(RenamePageTest, NumberFirstFlipsOnEveryClick) {
    const std::wstring folder = MakeFolder(L"number-first", {L"a.txt"});
    Type(IDC_RENAME_FOLDER, folder);

    Choose(IDC_RENAME_NUMBER_FIRST);
    EXPECT_TRUE(IsControlChecked(m_page, IDC_RENAME_NUMBER_FIRST));
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"001name.txt"));

    Choose(IDC_RENAME_NUMBER_FIRST);
    EXPECT_FALSE(IsControlChecked(m_page, IDC_RENAME_NUMBER_FIRST));
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"name001.txt"));
}

TEST_F(RenamePageTest, PickingAFolderPutsTheStoredValuesBackAndCancellingChangesNothing) {
    const std::wstring folder = MakeFolder(L"picked", {});
    Type(IDC_RENAME_NEW_NAME, L"typed");
    Type(IDC_RENAME_INCREMENT, L"abc");

    HWND browser = OpenFolderBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(FolderBrowserTitle(browser), L"选择保存位置...");
    ASSERT_TRUE(ChooseFolder(browser, m_app.handle(), folder));
    ASSERT_TRUE(
        WaitUntil([&] { return ControlText(m_page, IDC_RENAME_FOLDER) == folder; }, kPatienceMs));
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_NEW_NAME), L"name");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_INCREMENT), L"1");

    Type(IDC_RENAME_NEW_NAME, L"typed again");
    ASSERT_TRUE(CancelDialog(OpenFolderBrowser()));
    SendMessageW(m_page, WM_NULL, 0, 0);
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_NEW_NAME), L"typed again");
    EXPECT_EQ(ControlText(m_page, IDC_RENAME_FOLDER), folder);
}

TEST_F(RenamePageTest, ViewResultOpensTheStoredFolderNotTheTypedOne) {
    const std::wstring stored = MakeFolder(L"stored", {});
    const std::wstring typed = MakeFolder(L"typed", {});

    // Right after start nothing typed has been stored yet.
    Type(IDC_RENAME_FOLDER, typed);
    Click(IDC_RENAME_VIEW_RESULT);
    Sleep(kQuietMs);
    for (const std::wstring& opened : Recorder().Entries()) EXPECT_NE(opened, typed);
    Recorder().Clear();

    ASSERT_TRUE(PickFolder(stored));
    Type(IDC_RENAME_FOLDER, typed);
    Click(IDC_RENAME_VIEW_RESULT);
    ASSERT_TRUE(Recorder().WaitForEntries(1, kPatienceMs)) << "no folder was opened";
    Sleep(kQuietMs);
    EXPECT_THAT(Recorder().Entries(), ElementsAre(stored));
}

TEST_F(RenamePageTest, NonIntegerIncrementIsRefusedAndNothingIsRenamed) {
    const std::wstring folder = MakeFolder(L"refused", {L"a.txt"});
    Type(IDC_RENAME_FOLDER, folder);
    Type(IDC_RENAME_INCREMENT, L"1.5");

    Click(IDC_RENAME_EXECUTE);
    const MessageBoxInfo box = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"请键入一个整数。");
    EXPECT_EQ(box.caption, L"Quillet");
    EXPECT_EQ(box.icon, IconKind::kExclamation) << IconKindName(box.icon);
    ASSERT_TRUE(AnswerMessageBox(box.window, IDOK));
    ExpectNoBox();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt"));
    EXPECT_EQ(FocusedWindow(m_app.thread_id()), Control(m_page, IDC_RENAME_INCREMENT));
    const Selection selection = EditSelection(Control(m_page, IDC_RENAME_INCREMENT));
    EXPECT_EQ(selection.start, 0);
    EXPECT_EQ(selection.end, 3);

    // The page cannot be left either while the increment is refused.
    ASSERT_TRUE(ClickTab(m_sheet, m_app.handle(), 0));
    const MessageBoxInfo leaving = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
    EXPECT_EQ(leaving.text, L"请键入一个整数。");
    if (leaving.window) {
        ASSERT_TRUE(AnswerMessageBox(leaving.window, IDOK));
    }
    EXPECT_EQ(CurrentTab(m_sheet), kRenameTab);
}

TEST_F(RenamePageTest, SequenceRunNumbersTheVisibleFilesByTheIncrement) {
    const std::wstring folder = MakeFolder(L"sequence", {L"a.txt", L"b.txt", L"c.txt", L"sub\\"});
    Type(IDC_RENAME_FOLDER, folder);
    Type(IDC_RENAME_INCREMENT, L"5");
    ExecuteExpectingSuccess();
    EXPECT_THAT(NamesIn(folder),
                ElementsAre(L"name005.txt", L"name010.txt", L"name015.txt", L"sub\\"));
}

TEST_F(RenamePageTest, CollisionEndsTheRunWithTheAccessDeniedFileError) {
    const std::wstring folder = MakeFolder(L"collision", {L"a.txt", L"b.txt"});
    Type(IDC_RENAME_FOLDER, folder);
    Type(IDC_RENAME_INCREMENT, L"0");

    const MessageBoxInfo box = ExecuteExpectingBox();
    EXPECT_EQ(box.text, L"对 一未命名文件 的存取被拒绝。");
    EXPECT_EQ(box.caption, L"Quillet");
    EXPECT_EQ(box.icon, IconKind::kStop) << IconKindName(box.icon);
    EXPECT_THAT(box.buttons, ElementsAre(IDOK));
    ExpectNoBox();  // no success message after the failure

    // The first file kept its new name, the second its old one.
    const Names names = NamesIn(folder);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1], L"name000.txt");
    EXPECT_TRUE(names[0] == L"a.txt" || names[0] == L"b.txt") << ToUtf8(names[0]);
    EXPECT_TRUE(IsWindowVisible(m_sheet));
}

Names TwelvePhotos() {
    Names photos;
    for (int i = 1; i <= 12; ++i) photos.push_back(L"IMG_" + std::to_wstring(i * 7 % 13) + L".jpg");
    std::sort(photos.begin(), photos.end());
    return photos;
}

TEST_F(RenamePageTest, PreviewListsWhatTheCommandLinesDryRunPrintsAndRenamesNothing) {
    struct Case {
        const wchar_t* increment;
        bool stops;  // by 0 every photo gets the first one's new name
    };
    for (const Case& c : {Case{L"1", false}, Case{L"0", true}}) {
        SCOPED_TRACE(ToUtf8(c.increment));
        const std::wstring folder = MakeFolder(L"preview", TwelvePhotos());
        Type(IDC_RENAME_FOLDER, folder);
        Type(IDC_RENAME_NEW_NAME, L"照片");
        Type(IDC_RENAME_INCREMENT, c.increment);
        Click(IDC_RENAME_PREVIEW);
        HWND dialog = WaitForDialogOwnedBy(m_app.pid(), m_sheet, kPatienceMs);
        ASSERT_NE(dialog, nullptr) << "no preview";
        HWND list = Control(dialog, IDC_PREVIEW_LIST);
        const Names rows = ListColumn(m_app.handle(), list, 0);
        const Names notes = ListColumn(m_app.handle(), list, 1);
        if (!c.stops) SaveWindowPicture(dialog, ScreenshotPath(L"rename-preview.bmp"));
        std::string printed;
        const int status = RunCli(L"rename " + Quoted(folder) + L" --sequence 照片 --increment " +
                                      c.increment + L" --dry-run",
                                  &printed);
        Names lines = Lines(printed);
        EXPECT_EQ(status, c.stops ? 1 : 0);
        EXPECT_EQ(lines.size(), c.stops ? 1u : 12u);
        ASSERT_EQ(rows.size(), lines.size() + (c.stops ? 1 : 0));
        EXPECT_EQ(Names(rows.begin(), rows.begin() + lines.size()), lines);
        for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(notes[i], L"") << i;
        if (c.stops) {
            EXPECT_THAT(rows.back(), HasSubstr(L" -> 照片000.jpg"));
            EXPECT_THAT(notes.back(), HasSubstr(L"已被占用"));
        }
        ASSERT_TRUE(ClickControl(dialog, IDOK));
        EXPECT_TRUE(WaitUntilGone(dialog, kPatienceMs));
        EXPECT_EQ(NamesIn(folder), TwelvePhotos());
    }
}

TEST_F(RenamePageTest, UndoOnThePagePutsBackTheRunAndItsOwnUndoPutsTheRunBack) {
    const std::wstring folder = MakeFolder(L"undo", {L"a.txt", L"b.txt", L"c.txt"});
    Type(IDC_RENAME_FOLDER, folder);
    ExecuteExpectingSuccess();
    const Names renamed = NamesIn(folder);
    ASSERT_THAT(renamed, ElementsAre(L"name001.txt", L"name002.txt", L"name003.txt"));

    const MessageBoxInfo report = UndoOnThePage(L"rename-undo-question.bmp");
    EXPECT_EQ(report.text, L"已恢复 3 个名称。");
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt", L"b.txt", L"c.txt"));
    EXPECT_THAT(MovedContents(folder), ElementsAre());

    EXPECT_EQ(UndoOnThePage().text, L"已恢复 3 个名称。");
    EXPECT_EQ(NamesIn(folder), renamed);
}

TEST_F(RenamePageTest, TheCommandLineUndoesAWindowRunAndThePageACommandLineRun) {
    const std::wstring folder = MakeFolder(L"undo-across", {L"a.txt", L"b.txt"});
    Type(IDC_RENAME_FOLDER, folder);
    ExecuteExpectingSuccess();
    EXPECT_EQ(RunCli(L"undo " + Quoted(folder)), 0);
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt", L"b.txt"));
    EXPECT_THAT(MovedContents(folder), ElementsAre());

    EXPECT_EQ(RunCli(L"rename " + Quoted(folder) + L" --extension md"), 0);
    ASSERT_THAT(NamesIn(folder), ElementsAre(L"a.md", L"b.md"));
    EXPECT_EQ(UndoOnThePage().text, L"已恢复 2 个名称。");
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt", L"b.txt"));
    EXPECT_THAT(MovedContents(folder), ElementsAre());
}

TEST_F(RenamePageTest, UndoLeavesAnEntryChangedSinceAloneAndNamesIt) {
    // A folder no run has renamed in: there is nothing to undo.
    const std::wstring never = MakeFolder(L"never-" + std::to_wstring(GetTickCount()), {L"a.txt"});
    Type(IDC_RENAME_FOLDER, never);
    EXPECT_THAT(ClickExpectingBox(IDC_RENAME_UNDO, IDOK).text, HasSubstr(L"没有可撤销的改名"));

    const std::wstring folder = MakeFolder(L"undo-changed", {L"a.txt", L"b.txt", L"c.txt"});
    Type(IDC_RENAME_FOLDER, folder);
    ExecuteExpectingSuccess();
    // The renamed file moves on, and another takes its name.
    const std::wstring replaced = JoinPath(folder, L"name002.txt");
    ASSERT_TRUE(MoveFileW(replaced.c_str(), JoinPath(folder, L"moved.txt").c_str()));
    HANDLE other = CreateFileW(replaced.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    CloseHandle(other);

    const MessageBoxInfo report = UndoOnThePage();
    EXPECT_THAT(report.text, HasSubstr(L"已恢复 2 个名称。"));
    EXPECT_THAT(report.text, HasSubstr(L"name002.txt"));
    EXPECT_EQ(report.icon, IconKind::kExclamation) << IconKindName(report.icon);
    EXPECT_EQ(NamesIn(folder).size(), 4u);
    EXPECT_THAT(MovedContents(folder), ElementsAre(L"moved.txt", L"name002.txt"));
}

TEST_F(RenamePageTest, AJournalThatCannotBeWrittenStopsTheRunWithAMessage) {
    const std::wstring folder = MakeFolder(L"unjournaled", {L"a.txt"});
    // A copy started now finds its journals' folder, LOCALAPPDATA\Quillet, taken by a file.
    const std::wstring blocked = MakeFolder(L"blocked-state", {L"Quillet"});
    ASSERT_TRUE(CloseAndWaitExit());
    wchar_t saved[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"LOCALAPPDATA", saved, MAX_PATH);
    SetEnvironmentVariableW(L"LOCALAPPDATA", blocked.c_str());
    const bool started = Start();
    SetEnvironmentVariableW(L"LOCALAPPDATA", saved);
    ASSERT_TRUE(started);
    ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), kRenameTab, kPatienceMs));
    m_page = CurrentPage(m_sheet);
    Type(IDC_RENAME_FOLDER, folder);

    const MessageBoxInfo box = ExecuteExpectingBox();
    EXPECT_THAT(box.text, HasSubstr(L"无法写入改名记录，没有改名"));
    EXPECT_EQ(box.icon, IconKind::kStop) << IconKindName(box.icon);
    ExpectNoBox();
    EXPECT_THAT(NamesIn(folder), ElementsAre(L"a.txt"));
}

}  // namespace
}  // namespace e2e
