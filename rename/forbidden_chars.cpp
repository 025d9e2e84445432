#include "rename/forbidden_chars.h"

#include <cstring>

namespace forbidden_chars {

bool Contains(const std::string& s, const text::CodePage& cp) {
    static const char kForbidden[] = "\\/:*?\"<>|";
    for (size_t pos = 0; pos < s.size(); pos += text::CharLength(s, pos, cp)) {
        if (s[pos] != '\0' && std::strchr(kForbidden, s[pos]) != nullptr) return true;
    }
    return false;
}

bool InNewNames(const RenameSettings& s, const text::CodePage& cp) {
    const bool anyKind = s.m_bFilesOnly || s.m_bFoldersOnly;
    if (anyKind && s.m_bChangeName && Contains(s.m_strNewName, cp)) return true;
    // Only files take a new extension.
    if (s.m_bFilesOnly && s.m_bChangeExt && Contains(s.m_strNewExt, cp)) return true;
    // An empty search text renames nothing, so its replacement goes nowhere.
    return anyKind && s.m_bReplaceText && !s.m_strFind.empty() && Contains(s.m_strReplace, cp);
}

}  // namespace forbidden_chars
