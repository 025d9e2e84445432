// How one entry's new name is built by each of the three rules. Pure text work:
// positions count bytes, searches step over whole characters of the code page.
#pragma once

#include <cstdint>
#include <string>

#include "platform/text.h"

namespace rename_rules {

// The counter after one step; wraps around like the 32-bit register it models.
int32_t Advance(int32_t serial, int32_t increment);

// "00%d" below 10 (negatives included), "0%d" below 100, "%d" from 100 on.
std::string NumberText(int32_t value);

// Sequence rule: base name and number text (number first when asked), followed for
// a file by its tail from the last "." on. Folders and names without a dot get no tail.
std::string SequenceName(const std::string& oldName, bool isFolder, const std::string& baseName,
                         int32_t number, bool numberFirst,
                         const text::CodePage& cp = text::SystemCodePage());

// Extension rule: everything up to and including the last "." followed by newExt.
// A name without a dot gets "." and newExt; with an empty newExt it keeps its name,
// and the result is false.
bool ExtensionName(const std::string& oldName, const std::string& newExt, std::string& newName,
                   const text::CodePage& cp = text::SystemCodePage());

// Replacement rule over the whole name; false when find does not occur (or is empty).
bool ReplacedName(const std::string& oldName, const std::string& find,
                  const std::string& replacement, std::string& newName,
                  const text::CodePage& cp = text::SystemCodePage());

}  // namespace rename_rules
