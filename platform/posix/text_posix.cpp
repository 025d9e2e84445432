#include "platform/text.h"

namespace text {

// File names on POSIX systems are UTF-8 byte strings.
const CodePage& SystemCodePage() {
    return CodePage::kUtf8;
}

std::string ForDisplay(const std::string& name) {
    return name;
}

}  // namespace text
