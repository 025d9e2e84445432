#include "app/framework/shell_open.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/win32/wide.h"

void ShellOpen(const std::string& target) {
    ::ShellExecuteW(nullptr, L"open", wide::FromUtf8(target).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}
