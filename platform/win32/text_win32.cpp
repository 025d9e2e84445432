#include "platform/text.h"
#include "platform/win32/wide.h"

namespace text {

// Names are UTF-8 inside the program on every system: the file layer converts them at
// each call, so the system's ANSI code page never touches one.
const CodePage& SystemCodePage() {
    return CodePage::kUtf8;
}

std::string ForDisplay(const std::string& name) {
    return wide::ToCp936(wide::FromUtf8(name));
}

}  // namespace text
