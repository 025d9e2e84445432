// Names compared the way Windows compares them on its own file systems: by UTF-16
// code units, each taken to its uppercase (the simple mapping, where it leads back),
// ordinal. NTFS keeps a folder's names in this order.
#pragma once

#include <string>

namespace windows_case {

// The unit's uppercase; units without one, surrogates included, as they are.
char16_t Upcase(char16_t unit);

// Below, equal to or above zero, as a sorts before, with or after b. Names are UTF-8;
// a byte that starts no valid sequence counts as a unit of its own (0xDC00 + byte, as
// an unpaired surrogate), so every name has a place.
int Compare(const std::string& a, const std::string& b);

}  // namespace windows_case
