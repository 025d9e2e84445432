// Files dropped on the program's pages as the shell delivers them (WM_DROPFILES): each page
// takes what its picker would give it and refuses anything else with a message, unchanged.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
// clang-format on

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/my_property_sheet.h"
#include "common/temp_dir.h"
#include "message_box_recorder.h"
#include "platform/win32/wide.h"
#include "rename/rename_texts.h"
#include "res/resource.h"
#include "split/split_texts.h"

namespace {

// What the shell hands over: DROPFILES, then the wide names, each ended by a zero, and a zero.
HDROP PackDrop(const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths) names += wide::FromUtf8(path) + L'\0';
    names += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT,
                                   sizeof(DROPFILES) + names.size() * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, names.data(), names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

std::string FieldText(HWND page, int id) {
    wchar_t text[1024] = L"";
    ::GetDlgItemTextW(page, id, text, 1024);
    return wide::ToUtf8(text);
}

TEST(FileDrop, EachPageTakesWhatItsPickerTakesAndRefusesTheRestUnchanged) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&classes);
    TempDir dir;
    dir.WriteFile("movie.avi", std::string(3 * 1048576 + 5, 'x'));
    dir.WriteFile("movie0.avi.spt", "a piece");
    std::filesystem::create_directory(std::filesystem::u8path(dir.Join("photos")));
    const std::string file = dir.Join("movie.avi"), piece = dir.Join("movie0.avi.spt");
    const std::string folder = dir.Join("photos");

    MessageBoxRecorder boxes;
    CMyPropertySheet sheet(IDS_PROPSHT_CAPTION);
    ASSERT_TRUE(sheet.Create(nullptr)) << "the tests need a display";
    const struct {
        int tab;
        std::vector<std::string> dropped;
        int field;
        std::string shown;    // the field's text after the drop
        const char* refusal;  // the message, or none when the drop is taken
    } rows[] = {
        {0, {folder}, IDC_SPLIT_SOURCE_PATH, "", split_text::kDropOneFile},
        {0, {file, piece}, IDC_SPLIT_SOURCE_PATH, "", split_text::kDropOneFile},
        {0, {file}, IDC_SPLIT_SOURCE_PATH, file, nullptr},
        {0, {folder}, IDC_SPLIT_SOURCE_PATH, file, split_text::kDropOneFile},
        {1, {folder}, IDC_MERGE_PIECE_PATH, "", split_text::kDropOneFile},
        {1, {piece}, IDC_MERGE_PIECE_PATH, piece, nullptr},
        {2, {file}, IDC_RENAME_FOLDER, "", rename_text::kDropOneFolder},
        {2, {folder, folder}, IDC_RENAME_FOLDER, "", rename_text::kDropOneFolder},
        {2, {folder}, IDC_RENAME_FOLDER, folder, nullptr},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("tab " + std::to_string(row.tab) + ", " + row.dropped[0]);
        sheet.SendMessage(PSM_SETCURSEL, row.tab);
        HWND page = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETCURRENTPAGEHWND));
        const size_t before = boxes.boxes.size();
        ::SendMessageW(page, WM_DROPFILES, reinterpret_cast<WPARAM>(PackDrop(row.dropped)), 0);
        EXPECT_EQ(FieldText(page, row.field), row.shown);
        if (!row.refusal) {
            EXPECT_EQ(boxes.boxes.size(), before);
            continue;
        }
        ASSERT_EQ(boxes.boxes.size(), before + 1);
        EXPECT_EQ(boxes.boxes.back().text, row.refusal);
    }
    // As if picked with its button: the size in whole megabytes and a folder beside it.
    sheet.SendMessage(PSM_SETCURSEL, 0);
    HWND split = reinterpret_cast<HWND>(sheet.SendMessage(PSM_GETCURRENTPAGEHWND));
    EXPECT_EQ(FieldText(split, IDC_SPLIT_SOURCE_MB), "3");
    EXPECT_EQ(FieldText(split, IDC_SPLIT_TARGET_FOLDER), dir.Join("movie") + "\\");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(split, IDC_SPLIT_RUN)));
    sheet.DestroyWindow();
}

}  // namespace
