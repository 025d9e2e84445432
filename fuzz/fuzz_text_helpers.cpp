// The code-page text helpers over arbitrary bytes, in both code pages.
#include "fuzz/fuzz_input.h"
#include "platform/text.h"

namespace {

bool IsBoundary(const std::string& s, size_t pos, const text::CodePage& cp) {
    size_t at = 0;
    while (at < pos) at += text::CharLength(s, at, cp);
    return at == pos;
}

void Check(const std::string& s, char ch, const std::string& what, const std::string& to,
           const text::CodePage& cp) {
    for (size_t at = 0; at < s.size();) {
        size_t n = text::CharLength(s, at, cp);
        FUZZ_CHECK(n >= 1 && at + n <= s.size());
        at += n;
    }

    size_t last = text::ReverseFind(s, ch, cp);
    if (last != std::string::npos) {
        FUZZ_CHECK(last < s.size() && s[last] == ch && IsBoundary(s, last, cp));
    }

    size_t found = text::Find(s, what, 0, cp);
    if (what.empty()) FUZZ_CHECK(found == std::string::npos);
    if (found != std::string::npos) {
        FUZZ_CHECK(s.compare(found, what.size(), what) == 0 && IsBoundary(s, found, cp));
    }

    std::string replaced = s;
    int count = text::Replace(replaced, what, to, cp);
    if (what.empty() || found == std::string::npos) {
        FUZZ_CHECK(count == 0 && replaced == s);
    } else {
        FUZZ_CHECK(count >= 1);
        FUZZ_CHECK(replaced.size() == s.size() - count * what.size() + count * to.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    char ch = static_cast<char>(input.TakeByte());
    std::string what = input.TakeString();
    std::string to = input.TakeString();
    std::string s = input.TakeRest();
    Check(s, ch, what, to, text::CodePage::kGbk);
    Check(s, ch, what, to, text::CodePage::kUtf8);
    return 0;
}
