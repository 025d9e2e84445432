#include "app/framework/shell_open.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

void ShellOpen(const std::string& target) {
    ::ShellExecuteA(nullptr, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
