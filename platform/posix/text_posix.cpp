#include "platform/text.h"

namespace text {

// File names on POSIX systems are UTF-8 byte strings.
CodePage SystemCodePage() {
    return CodePage::kUtf8;
}

}  // namespace text
