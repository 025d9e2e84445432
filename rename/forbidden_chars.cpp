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

bool EndsInsideACharacter(const std::string& s, const text::CodePage& cp) {
    if (s.empty() || cp.IsUtf8()) return false;  // UTF-8 never pairs a byte with an ASCII one
    size_t last = 0;
    for (size_t pos = 0; pos < s.size(); pos += text::CharLength(s, pos, cp)) last = pos;
    return last == s.size() - 1 && cp.IsLeadByte(static_cast<unsigned char>(s[last]));
}

namespace {

// Whether any text that the chosen rules put into a new name meets the test.
bool AnyNewText(const RenameSettings& s, bool (*test)(const std::string&, const text::CodePage&),
                const text::CodePage& cp) {
    const bool anyKind = s.m_bFilesOnly || s.m_bFoldersOnly;
    if (anyKind && s.m_bChangeName && test(s.m_strNewName, cp)) return true;
    // Only files take a new extension.
    if (s.m_bFilesOnly && s.m_bChangeExt && test(s.m_strNewExt, cp)) return true;
    // An empty search text renames nothing, so its replacement goes nowhere.
    return anyKind && s.m_bReplaceText && !s.m_strFind.empty() && test(s.m_strReplace, cp);
}

}  // namespace

bool InNewNames(const RenameSettings& s, const text::CodePage& cp) {
    return AnyNewText(s, Contains, cp);
}

bool CutsACharacter(const RenameSettings& s, const text::CodePage& cp) {
    return AnyNewText(s, EndsInsideACharacter, cp);
}

}  // namespace forbidden_chars
