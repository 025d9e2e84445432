// The three rename rules and the forbidden-character check over any settings and names.
#include <string>

#include "fuzz/fuzz_code_pages.h"
#include "fuzz/fuzz_input.h"
#include "rename/forbidden_chars.h"
#include "rename/rename_rules.h"

namespace {

using text::CodePage;

int32_t TakeInt32(FuzzInput& input) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | input.TakeByte();
    return static_cast<int32_t>(v);
}

// The replacement built from the occurrences that Find reports. After each one the
// scan starts afresh right behind it, as the framework's replace does, even when the
// occurrence ended on a lead byte.
std::string ReplacedByFind(const std::string& name, const std::string& find,
                           const std::string& with, const CodePage& cp, int& count) {
    std::string out;
    count = 0;
    std::string rest = name;
    for (size_t at; (at = text::Find(rest, find, 0, cp)) != std::string::npos;) {
        out += rest.substr(0, at) + with;
        rest = rest.substr(at + find.size());
        ++count;
    }
    return out + rest;
}

void CheckSequence(const RenameSettings& s, const std::string& name, bool isFolder, int32_t serial,
                   const CodePage& cp) {
    const int32_t number = rename_rules::Advance(serial, s.m_nIncrement);
    FUZZ_CHECK(static_cast<uint32_t>(number) ==
               static_cast<uint32_t>(serial) + static_cast<uint32_t>(s.m_nIncrement));
    // The number as "%d" writes it, after nothing but zeros; at least three digits
    // from 0 on.
    const std::string digits = rename_rules::NumberText(number);
    const std::string plain = std::to_string(number);
    FUZZ_CHECK(digits.size() >= plain.size());
    const size_t padding = digits.size() - plain.size();
    FUZZ_CHECK(digits.compare(padding, plain.size(), plain) == 0);
    FUZZ_CHECK(digits.find_first_not_of('0') >= padding);
    if (number >= 0) FUZZ_CHECK(digits.size() >= 3);
    const std::string head = s.m_bNumberFirst ? digits + s.m_strNewName : s.m_strNewName + digits;
    const std::string newName = rename_rules::SequenceName(name, isFolder, s.m_strNewName, number,
                                                           s.m_bNumberFirst != 0, cp);
    const size_t dot = text::ReverseFind(name, '.', cp);
    const std::string tail = isFolder || dot == std::string::npos ? "" : name.substr(dot);
    FUZZ_CHECK(newName == head + tail);
}

void CheckExtension(const RenameSettings& s, const std::string& name, const CodePage& cp) {
    std::string newName = "unchanged";
    const bool renames = rename_rules::ExtensionName(name, s.m_strNewExt, newName, cp);
    const size_t dot = text::ReverseFind(name, '.', cp);
    if (dot != std::string::npos) {
        FUZZ_CHECK(renames && newName == name.substr(0, dot + 1) + s.m_strNewExt);
    } else if (s.m_strNewExt.empty()) {
        FUZZ_CHECK(!renames && newName == "unchanged");
    } else {
        FUZZ_CHECK(renames && newName == name + "." + s.m_strNewExt);
    }
}

void CheckReplacement(const RenameSettings& s, const std::string& name, const CodePage& cp) {
    std::string newName = "unchanged";
    const bool renames = rename_rules::ReplacedName(name, s.m_strFind, s.m_strReplace, newName, cp);
    int count = 0;
    const std::string expected = ReplacedByFind(name, s.m_strFind, s.m_strReplace, cp, count);
    FUZZ_CHECK(renames == (count > 0));
    FUZZ_CHECK(renames ? newName == expected : newName == "unchanged");
}

// What passed the check before the run must not come out of a rule as a forbidden
// character: a new name holds one only where the old name held one.
void CheckNoForbiddenCharacterAppears(const RenameSettings& s, const std::string& name,
                                      const CodePage& cp) {
    if (forbidden_chars::InNewNames(s, cp) || forbidden_chars::CutsACharacter(s, cp) ||
        forbidden_chars::Contains(name, cp)) {
        return;
    }
    std::string newName;
    if (s.m_bChangeName) {
        FUZZ_CHECK(!forbidden_chars::Contains(
            rename_rules::SequenceName(name, false, s.m_strNewName, 1, s.m_bNumberFirst != 0, cp),
            cp));
    }
    if (s.m_bChangeExt && rename_rules::ExtensionName(name, s.m_strNewExt, newName, cp)) {
        FUZZ_CHECK(!forbidden_chars::Contains(newName, cp));
    }
    if (s.m_bReplaceText &&
        rename_rules::ReplacedName(name, s.m_strFind, s.m_strReplace, newName, cp)) {
        FUZZ_CHECK(!forbidden_chars::Contains(newName, cp));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const CodePage& cp = FuzzCodePage(input.TakeByte());
    const uint8_t flags = input.TakeByte();
    RenameSettings s;
    s.m_bNumberFirst = flags & 1;
    s.m_bChangeName = (flags >> 1) & 1;
    s.m_bChangeExt = (flags >> 2) & 1;
    s.m_bReplaceText = (flags >> 3) & 1;
    const bool isFolder = (flags >> 4) & 1;
    s.m_nIncrement = TakeInt32(input);
    const int32_t serial = TakeInt32(input);
    s.m_strNewName = input.TakeString();
    s.m_strNewExt = input.TakeString();
    s.m_strFind = input.TakeString();
    s.m_strReplace = input.TakeString();
    const std::string name = input.TakeRest();

    CheckSequence(s, name, isFolder, serial, cp);
    CheckExtension(s, name, cp);
    CheckReplacement(s, name, cp);
    CheckNoForbiddenCharacterAppears(s, name, cp);
    return 0;
}
