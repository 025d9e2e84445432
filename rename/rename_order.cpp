#include "rename/rename_order.h"

#include <algorithm>
#include <cstdint>
#include <map>

#include "platform/state_files.h"
#include "platform/windows_case.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Every name has one place, even among names Windows takes for the same.
bool NameLess(const std::string& a, const std::string& b) {
    const int c = windows_case::Compare(a, b);
    return c != 0 ? c < 0 : a < b;
}

// Compares the digit runs at a[i] and b[j] by value; moves i and j past them.
int CompareNumbers(const std::string& a, size_t& i, const std::string& b, size_t& j) {
    while (i < a.size() && a[i] == '0') ++i;
    while (j < b.size() && b[j] == '0') ++j;
    const size_t startA = i, startB = j;
    while (i < a.size() && IsDigit(a[i])) ++i;
    while (j < b.size() && IsDigit(b[j])) ++j;
    if (i - startA != j - startB) return i - startA < j - startB ? -1 : 1;
    const int c = a.compare(startA, i - startA, b, startB, j - startB);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

// The text up to the next digit (or the end) of a and of b, compared as names.
int CompareTexts(const std::string& a, size_t& i, const std::string& b, size_t& j) {
    const size_t startA = i, startB = j;
    while (i < a.size() && !IsDigit(a[i])) ++i;
    while (j < b.size() && !IsDigit(b[j])) ++j;
    return windows_case::Compare(a.substr(startA, i - startA), b.substr(startB, j - startB));
}

}  // namespace

bool ParseRenameOrder(const std::string& text, RenameOrder& order) {
    if (text == "name")
        order = RenameOrder::kName;
    else if (text == "natural")
        order = RenameOrder::kNatural;
    else if (text == "time")
        order = RenameOrder::kTime;
    else
        return false;
    return true;
}

bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool numbers = IsDigit(a[i]) && IsDigit(b[j]);
        const int c = numbers ? CompareNumbers(a, i, b, j) : CompareTexts(a, i, b, j);
        if (c != 0) return c < 0;
    }
    if (i < a.size() || j < b.size()) return j < b.size();
    return NameLess(a, b);  // IMG_02 and IMG_2, or a and A
}

void SortForRename(std::vector<folder::Entry>& entries, RenameOrder order,
                   const std::string& folderPrefix) {
    const auto byName = [](const folder::Entry& x, const folder::Entry& y) {
        return NameLess(x.name, y.name);
    };
    switch (order) {
        case RenameOrder::kListing:
            return;
        case RenameOrder::kName:
            std::sort(entries.begin(), entries.end(), byName);
            return;
        case RenameOrder::kNatural:
            std::sort(entries.begin(), entries.end(),
                      [](const folder::Entry& x, const folder::Entry& y) {
                          return NaturalLess(x.name, y.name);
                      });
            return;
        case RenameOrder::kTime: {
            // An entry whose time cannot be read goes first, as the oldest.
            std::map<std::string, int64_t> times;
            for (const folder::Entry& e : entries) {
                int64_t t = INT64_MIN;
                state_files::ModifiedTime(folderPrefix + e.name, t);
                times[e.name] = t;
            }
            std::sort(entries.begin(), entries.end(),
                      [&](const folder::Entry& x, const folder::Entry& y) {
                          const int64_t tx = times[x.name], ty = times[y.name];
                          return tx != ty ? tx < ty : NameLess(x.name, y.name);
                      });
            return;
        }
    }
}
