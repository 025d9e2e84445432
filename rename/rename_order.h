// The order in which a batch rename takes a folder's entries, and so numbers them.
#pragma once

#include <string>
#include <vector>

#include "platform/folder.h"

enum class RenameOrder {
    kListing,  // as the system lists them, as the window takes them
    kName,     // as Windows orders names (NTFS lists in this order)
    kNatural,  // digit runs by their value: IMG_2 before IMG_10
    kTime,     // modification time, oldest first; equal times by name
};

// Reads "name", "natural" or "time"; false for anything else.
bool ParseRenameOrder(const std::string& text, RenameOrder& order);

// Whether a comes before b in the natural order: case ignored as Windows ignores it,
// runs of ASCII digits compared by value.
bool NaturalLess(const std::string& a, const std::string& b);

// Puts the listed entries of folderPrefix (ending with the separator) in order.
void SortForRename(std::vector<folder::Entry>& entries, RenameOrder order,
                   const std::string& folderPrefix);
