// The path helpers over any path, in every code page: the parts they cut always join
// back into the whole, and cut only at a separator or dot that starts a character.
#include <string>

#include "fuzz/fuzz_code_pages.h"
#include "fuzz/fuzz_input.h"
#include "platform/path.h"

namespace {

using text::CodePage;

bool StartsACharacter(const std::string& s, size_t pos, const CodePage& cp) {
    size_t at = 0;
    while (at < pos) at += text::CharLength(s, at, cp);
    return at == pos;
}

// No occurrence of ch at a character boundary at or after from.
bool NoneFrom(const std::string& s, char ch, size_t from, const CodePage& cp) {
    for (size_t at = 0; at < s.size(); at += text::CharLength(s, at, cp)) {
        if (at >= from && s[at] == ch) return false;
    }
    return true;
}

void CheckPath(const std::string& p, const CodePage& cp) {
    const std::string folder = path::FolderOf(p, cp);
    const std::string withSep = path::FolderWithSeparator(p, cp);
    const std::string name = path::NameOf(p, cp);
    FUZZ_CHECK(withSep + name == p);
    if (withSep.empty()) {
        FUZZ_CHECK(folder == p && name == p);
    } else {
        const size_t sep = withSep.size() - 1;
        FUZZ_CHECK(p[sep] == path::kSeparator && StartsACharacter(p, sep, cp));
        FUZZ_CHECK(folder == p.substr(0, sep));
        FUZZ_CHECK(NoneFrom(p, path::kSeparator, sep + 1, cp));
    }
}

void CheckName(const std::string& name, const CodePage& cp) {
    const std::string title = path::TitleOf(name, cp);
    const std::string ext = path::ExtensionOf(name, cp);
    if (title == name) {
        FUZZ_CHECK(ext.empty() && NoneFrom(name, '.', 0, cp));
        return;
    }
    FUZZ_CHECK(title + "." + ext == name);
    FUZZ_CHECK(StartsACharacter(name, title.size(), cp));
    FUZZ_CHECK(NoneFrom(name, '.', title.size() + 1, cp));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const CodePage& cp = FuzzCodePage(input.TakeByte());
    const std::string p = input.TakeRest();
    CheckPath(p, cp);
    CheckName(p, cp);
    CheckName(path::NameOf(p, cp), cp);
    return 0;
}
