// Files dropped on the window from another process, as the shell delivers them: a
// WM_DROPFILES posted to the nearest window under the field that accepts files, its names
// in the program's own memory.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cstring>
#include <string>
#include <vector>

#include "driver/remote_buffer.h"
#include "rename/rename_texts.h"
#include "res/resource.h"
#include "split/split_texts.h"
#include "split_merge_page_test.h"

namespace e2e {
namespace {

// The window the shell drops on: the field itself or the first of its parents that said
// it takes files.
HWND DropTargetOver(HWND field) {
    for (HWND window = field; window; window = GetParent(window)) {
        if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) return window;
    }
    return nullptr;
}

// DROPFILES, then the wide names, each ended by a zero, and a zero.
std::string DropBlock(const std::vector<fs::path>& paths) {
    std::wstring names;
    for (const fs::path& path : paths) names += path.wstring() + L'\0';
    names += L'\0';
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    return block;
}

class FileDropTest : public PageTest {};

TEST_F(FileDropTest, EachPageTakesADropFromAnotherProcessAndRefusesWhatItCannotTake) {
    StartOnTab(0);
    const fs::path file = m_folder / L"movie.avi", piece = m_folder / L"movie0.avi.spt";
    const fs::path folder = m_folder / L"photos";
    ASSERT_TRUE(WriteBytes(file, std::string(3 * 1048576 + 5, 'x')));
    ASSERT_TRUE(WriteBytes(piece, "a piece"));
    ASSERT_TRUE(fs::create_directory(folder));
    const std::wstring one_file = FromCodePage(split_text::kDropOneFile, 936);
    const struct {
        int tab;
        std::vector<fs::path> dropped;
        int field;
        std::wstring shown;       // the field's text after the drop
        std::wstring refusal;     // the message, or none when the drop is taken
    } rows[] = {
        {0, {file, piece}, IDC_SPLIT_SOURCE_PATH, L"", one_file},
        {0, {file}, IDC_SPLIT_SOURCE_PATH, file.wstring(), L""},
        {0, {folder}, IDC_SPLIT_SOURCE_PATH, file.wstring(), one_file},
        {1, {piece}, IDC_MERGE_PIECE_PATH, piece.wstring(), L""},
        {2, {file}, IDC_RENAME_FOLDER, L"", FromCodePage(rename_text::kDropOneFolder, 936)},
        {2, {folder}, IDC_RENAME_FOLDER, folder.wstring(), L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("tab " + std::to_string(row.tab) + ", " + row.dropped[0].u8string());
        ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), row.tab, kPatienceMs));
        HWND page = CurrentPage(m_sheet);
        HWND target = DropTargetOver(GetDlgItem(page, row.field));
        ASSERT_NE(target, nullptr) << "nothing under the field takes files";
        const std::string block = DropBlock(row.dropped);
        // The program frees the block when it is done, as it frees the shell's.
        RemoteBuffer names(m_app.handle(), block.size());
        ASSERT_TRUE(names.ok() && names.Write(block.data(), block.size()));
        ASSERT_TRUE(PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(names.address()), 0));
        if (!row.refusal.empty()) {
            const MessageBoxInfo box = WaitForMessageBox(m_app.pid(), m_sheet, kPatienceMs);
            ASSERT_NE(box.window, nullptr) << "no message for a drop the page cannot take";
            EXPECT_EQ(box.text, row.refusal);
            EXPECT_TRUE(AnswerMessageBox(box.window, IDOK));
        } else {
            WaitUntil([&] { return ControlText(page, row.field) == row.shown; }, kPatienceMs, 50);
        }
        EXPECT_EQ(ControlText(page, row.field), row.shown);
    }
    // As if picked with its button: the size in whole megabytes and a folder beside it.
    ASSERT_TRUE(SwitchToTab(m_sheet, m_app.handle(), 0, kPatienceMs));
    EXPECT_EQ(ControlText(CurrentPage(m_sheet), IDC_SPLIT_SOURCE_MB), L"3");
    EXPECT_EQ(ControlText(CurrentPage(m_sheet), IDC_SPLIT_TARGET_FOLDER),
              (m_folder / L"movie").wstring() + L"\\");
}

}  // namespace
}  // namespace e2e
