#include <windows.h>

#include "platform/text.h"
#include "platform/win32/wide.h"

namespace text {
namespace {

CodePage AnsiCodePage() {
    const UINT acp = GetACP();
    CPINFO info;
    if (acp == CP_UTF8 || !GetCPInfo(acp, &info)) return CodePage::Windows(acp);
    return CodePage::FromLeadByteRanges(acp, info.LeadByte, sizeof info.LeadByte);
}

}  // namespace

// Names come from the system in its ANSI code page, whatever that is; only the
// program's own texts are code page 936 bytes.
const CodePage& SystemCodePage() {
    static const CodePage system = AnsiCodePage();
    return system;
}

std::string ForDisplay(const std::string& name) {
    return wide::ToCp936(wide::FromUtf8(name));
}

}  // namespace text
