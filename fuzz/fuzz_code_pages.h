// The code pages the fuzz targets step names by, picked by one input byte.
#pragma once

#include "platform/text.h"

inline const text::CodePage& FuzzCodePage(uint8_t pick) {
    static const text::CodePage pages[] = {
        text::CodePage::kGbk,         text::CodePage::kUtf8,        text::CodePage::Windows(1252),
        text::CodePage::Windows(932), text::CodePage::Windows(949), text::CodePage::Windows(950),
    };
    return pages[pick % (sizeof pages / sizeof pages[0])];
}
