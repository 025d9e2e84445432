// The framework's string-table texts that the program shows, by their table ids.
#pragma once

namespace framework_text {

enum Id {
    kUnnamedFile = 61446,       // stands for %1 when a file error carries no name
    kNoErrorMessage = 61472,
    kOutOfMemory = 61475,
    kInternalFailure = 61704,   // fallback for a failed command from a control
    kCommandFailure = 61705,    // fallback for a failed menu or accelerator command
    kParseInteger = 61712,
    kParseReal = 61713,
    kRealRange = 61715,         // %1 = min, %2 = max
    kFileNone = 61856,          // 61856 + cause: one text per file-error cause
    kFileEndOfFile = 61870,
};

// The text in the system code page; an empty text for an id the program never shows.
const char* Get(int id);

}  // namespace framework_text
