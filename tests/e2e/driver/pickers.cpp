#include "driver/pickers.h"

#include <commctrl.h>

#include "driver/remote_buffer.h"
#include "driver/wait.h"
#include "driver/window.h"

namespace e2e {
namespace {

constexpr int kFileNameField = 1148;  // a ComboBoxEx32 in Wine's file dialogs
constexpr int kFolderTree = 14145;
constexpr int kFolderTitle = 14146;
constexpr UINT kSetSelectionW = WM_USER + 103;  // BFFM_SETSELECTIONW
constexpr DWORD kCloseTimeoutMs = kPatienceMs;

LPARAM TreeItem(HWND tree, WPARAM which) {
    return SendMessageW(tree, TVM_GETNEXTITEM, which, 0);
}

}  // namespace

bool ChooseFile(HWND file_dialog, const std::wstring& path) {
    if (!Control(file_dialog, kFileNameField)) return false;
    SetControlText(file_dialog, kFileNameField, path);
    return ClickControl(file_dialog, IDOK) && WaitUntilGone(file_dialog, kCloseTimeoutMs);
}

bool ChooseFolder(HWND folder_browser, HANDLE process, const std::wstring& folder) {
    HWND tree = Control(folder_browser, kFolderTree);
    const size_t bytes = (folder.size() + 1) * sizeof(wchar_t);
    RemoteBuffer remote(process, bytes);
    if (!tree || !remote.ok() || !remote.Write(folder.c_str(), bytes)) return false;
    // A selection that arrives while the browser is still filling its tree is dropped, so it
    // is sent again until the tree has a caret.
    LPARAM item = 0;
    const bool selected = WaitUntil(
        [&] {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(folder_browser, kSetSelectionW, TRUE, remote.as_lparam(),
                                SMTO_NORMAL, kCloseTimeoutMs, &ignored);
            return (item = TreeItem(tree, TVGN_CARET)) != 0;
        },
        kCloseTimeoutMs, 200);
    if (!selected) return false;
    // Wine moves the caret there without telling the browser; selecting the item again
    // makes the browser take it as its choice.
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, 0);
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, item);
    return ClickControl(folder_browser, IDOK) && WaitUntilGone(folder_browser, kCloseTimeoutMs);
}

bool CancelDialog(HWND dialog) {
    return ClickControl(dialog, IDCANCEL) && WaitUntilGone(dialog, kCloseTimeoutMs);
}

std::wstring FolderBrowserTitle(HWND folder_browser) {
    return ControlText(folder_browser, kFolderTitle);
}

}  // namespace e2e
