#include "app/framework/file_drop.h"

#include <shellapi.h>

#include "platform/win32/system_path.h"
#include "platform/win32/wide.h"

namespace {

constexpr UINT kCopyGlobalData = 0x0049;  // carries the dropped names to a raised window
constexpr DWORD kAllow = 1;               // MSGFLT_ALLOW

using MessageFilterEx = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);

}  // namespace

void AcceptDroppedFiles(HWND window) {
    ::DragAcceptFiles(window, TRUE);
    // Windows 7 and later; where the call is missing, messages are not filtered either.
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    auto allow = reinterpret_cast<MessageFilterEx>(reinterpret_cast<void*>(
        user32 ? ::GetProcAddress(user32, "ChangeWindowMessageFilterEx") : nullptr));
    if (!allow) return;
    for (UINT msg :
         {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData}) {
        allow(window, msg, kAllow, nullptr);
    }
}

std::vector<DroppedEntry> TakeDroppedFiles(HDROP drop) {
    std::vector<DroppedEntry> entries;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(length + 1, L'\0');
        ::DragQueryFileW(drop, i, &name[0], length + 1);
        name.resize(length);
        const std::string path = wide::ToUtf8(name);
        const DWORD attributes = system_path::Attributes(path);
        const bool folder =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
        entries.push_back({path, folder});
    }
    ::DragFinish(drop);
    return entries;
}
