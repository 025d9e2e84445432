// The file and folder pickers against the system's own boxes, answered by a timer that
// finds the box while its modal loop runs.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <string>

#include "app/framework/file_dialog.h"
#include "app/framework/folder_picker.h"
#include "framework/exchange_dialog.h"

namespace {

// Waits for a visible dialog owned by owner and hands it to answer, once.
class BoxAnswerer {
  public:
    BoxAnswerer(HWND owner, std::function<void(HWND)> answer) {
        s_owner = owner;
        s_answer = std::move(answer);
        s_seenOwner = nullptr;
        s_timer = ::SetTimer(nullptr, 0, 50, &Tick);
    }
    ~BoxAnswerer() { ::KillTimer(nullptr, s_timer); }

    static HWND s_seenOwner;

  private:
    static BOOL CALLBACK FindBox(HWND hWnd, LPARAM found) {
        char cls[16] = {};
        ::GetClassNameA(hWnd, cls, sizeof(cls));
        if (std::string(cls) == "#32770" && ::IsWindowVisible(hWnd) &&
            ::GetWindow(hWnd, GW_OWNER) == s_owner) {
            *reinterpret_cast<HWND*>(found) = hWnd;
            return FALSE;
        }
        return TRUE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&box));
        if (!box || !s_answer) return;
        s_seenOwner = ::GetWindow(box, GW_OWNER);
        auto answer = std::move(s_answer);
        s_answer = nullptr;
        answer(box);
    }

    static HWND s_owner;
    static std::function<void(HWND)> s_answer;
    static UINT_PTR s_timer;
};

HWND BoxAnswerer::s_owner = nullptr;
HWND BoxAnswerer::s_seenOwner = nullptr;
std::function<void(HWND)> BoxAnswerer::s_answer;
UINT_PTR BoxAnswerer::s_timer = 0;

void Press(HWND box, int id) {
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

std::string TempFolder() {
    char folder[MAX_PATH] = {};
    DWORD length = ::GetTempPathA(MAX_PATH, folder);
    if (length > 3 && folder[length - 1] == '\\') folder[length - 1] = '\0';
    return folder;
}

class PickerTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(page.Open()); }
    HWND Button() const { return page.GetDlgItem(kActionButton).m_hWnd; }

    ExchangeDialog page;
};

TEST_F(PickerTest, FileBoxReturnsTheChosenPathAndIsOwnedByTheWindowAboveTheButton) {
    std::string path = TempFolder() + "\\quillet picker test.avi.spt";
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ::CloseHandle(file);

    CFileDialog dialog(true, nullptr, nullptr, 6,
                       "SPT File(*.spt)|*.spt; *.spt|All Files(*.*)|*.*||", Button());
    BoxAnswerer answerer(page.m_hWnd, [&](HWND box) {
        // The name field of the explorer-style box.
        ::SetWindowTextA(::GetDlgItem(box, 1148), path.c_str());
        Press(box, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(BoxAnswerer::s_seenOwner, page.m_hWnd);
    EXPECT_EQ(dialog.GetPathName(), path);
    EXPECT_EQ(dialog.GetFileTitle(), "quillet picker test.avi");
    EXPECT_EQ(dialog.GetFileExt(), "spt");
    ::DeleteFileA(path.c_str());
}

TEST_F(PickerTest, CancelledFileBoxOffersNoPath) {
    CFileDialog dialog(false, nullptr, "movie3.avi", 6, "All Files(*.*)|*.*||", Button());
    BoxAnswerer answerer(page.m_hWnd, [](HWND box) { Press(box, IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
}

TEST_F(PickerTest, FolderBrowserReturnsThePathOrNothing) {
    std::string folder = TempFolder();
    BoxAnswerer choose(page.m_hWnd, [&](HWND box) {
        ::SendMessageA(box, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.c_str()));
        Press(box, IDOK);
    });
    std::string chosen = "unchanged";
    EXPECT_TRUE(BrowseForFolder(page.m_hWnd, "选择路径...", chosen));
    EXPECT_EQ(chosen, folder);

    BoxAnswerer cancel(page.m_hWnd, [](HWND box) { Press(box, IDCANCEL); });
    chosen = "unchanged";
    EXPECT_FALSE(BrowseForFolder(page.m_hWnd, "选择路径...", chosen));
    EXPECT_EQ(chosen, "unchanged");
}

}  // namespace
