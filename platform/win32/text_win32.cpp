#include "platform/text.h"

namespace text {

// The program's own texts are compiled to code page 936 bytes, so every byte string
// it handles is taken to follow that code page's lead-byte rule, whatever the system
// reports.
CodePage SystemCodePage() {
    return CodePage::kGbk;
}

}  // namespace text
