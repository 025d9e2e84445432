// The registry entries of the ".spt" file type and the flag that suppresses them.
#pragma once

#include <windows.h>

#include <string>

namespace file_type_registry {

// Where the entries go; tests point these at keys of their own.
struct Roots {
    HKEY machine = HKEY_LOCAL_MACHINE;
    HKEY classes = HKEY_CLASSES_ROOT;
};

// True when "sysflag" holds the number 1 (read as 4 little-endian bytes).
bool RegistrationSuppressed(const Roots& roots = Roots());

// Writes "Installed" = 1, ".spt" = "sptfile" and the icon reference modulePath (UTF-8) + ",0",
// in that order. The first failure ends it with false; what was written stays.
bool Register(const std::string& modulePath, const Roots& roots = Roots());

}  // namespace file_type_registry
