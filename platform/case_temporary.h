// The name an entry stays under between the two moves of a case-only rename on a file
// system that ignores case: its new name, a mark, and a number where that name is
// taken. Portable, so a run can finish what a killed run left, and undo can find it.
#pragma once

#include <string>

namespace case_temporary {

inline const char* Mark() {
    return ".quillet-case";
}

// The n-th candidate: n = 0 has no number.
inline std::string Name(const std::string& newName, int n) {
    return newName + Mark() + (n == 0 ? std::string() : std::to_string(n));
}

// Whether name is a temporary name; target then gets the new name it stands for.
inline bool Parse(const std::string& name, std::string& target) {
    size_t end = name.size();
    while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
    const std::string mark = Mark();
    if (end <= mark.size() || name.compare(end - mark.size(), mark.size(), mark) != 0) return false;
    target = name.substr(0, end - mark.size());
    return true;
}

}  // namespace case_temporary
