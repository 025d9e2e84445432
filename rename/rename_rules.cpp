#include "rename/rename_rules.h"

namespace rename_rules {

int32_t Advance(int32_t serial, int32_t increment) {
    // Unsigned arithmetic keeps the wrap-around defined.
    return static_cast<int32_t>(static_cast<uint32_t>(serial) + static_cast<uint32_t>(increment));
}

std::string NumberText(int32_t value) {
    const std::string digits = std::to_string(value);
    if (value < 10) return "00" + digits;
    if (value < 100) return "0" + digits;
    return digits;
}

std::string SequenceName(const std::string& oldName, bool isFolder, const std::string& baseName,
                         int32_t number, bool numberFirst, const text::CodePage& cp) {
    const std::string numberText = NumberText(number);
    std::string newName = numberFirst ? numberText + baseName : baseName + numberText;
    if (isFolder) return newName;
    const size_t dot = text::ReverseFind(oldName, '.', cp);
    if (dot != std::string::npos) newName += oldName.substr(dot);
    return newName;
}

bool ExtensionName(const std::string& oldName, const std::string& newExt, std::string& newName,
                   const text::CodePage& cp) {
    const size_t dot = text::ReverseFind(oldName, '.', cp);
    if (dot != std::string::npos) {
        newName = oldName.substr(0, dot + 1) + newExt;
        return true;
    }
    if (newExt.empty()) return false;
    newName = oldName + "." + newExt;
    return true;
}

bool ReplacedName(const std::string& oldName, const std::string& find,
                  const std::string& replacement, std::string& newName, const text::CodePage& cp) {
    std::string candidate = oldName;
    if (text::Replace(candidate, find, replacement, cp) < 1) return false;
    newName = std::move(candidate);
    return true;
}

}  // namespace rename_rules
