// Filling the common file dialogs and the shell's folder browser of the program under test.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// Types a full path into the file name field and presses the dialog's OK button.
bool ChooseFile(HWND file_dialog, const std::wstring& path);
// Selects `folder` in the browser's tree and presses OK; `process` owns the browser.
bool ChooseFolder(HWND folder_browser, HANDLE process, const std::wstring& folder);
// The dialog's Cancel button; waits until the dialog has gone.
bool CancelDialog(HWND dialog);
// The title static of the folder browser.
std::wstring FolderBrowserTitle(HWND folder_browser);

}  // namespace e2e
