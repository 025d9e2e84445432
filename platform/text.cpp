#include "platform/text.h"

namespace text {
namespace {

constexpr unsigned kUtf8CodePage = 65001;

size_t DoubleByteCharLength(const std::string& s, size_t pos, const CodePage& cp) {
    // A lead byte cut off by the end of the text stands alone.
    return cp.IsLeadByte(static_cast<unsigned char>(s[pos])) && pos + 1 < s.size() ? 2 : 1;
}

size_t Utf8AnnouncedLength(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 1;
}

size_t Utf8CharLength(const std::string& s, size_t pos) {
    size_t n = Utf8AnnouncedLength(static_cast<unsigned char>(s[pos]));
    if (pos + n > s.size()) return 1;
    for (size_t i = 1; i < n; ++i) {
        // A broken sequence must not swallow the ASCII byte that follows its lead.
        if ((static_cast<unsigned char>(s[pos + i]) & 0xC0) != 0x80) return 1;
    }
    return n;
}

// what lies at pos as whole characters: a text that ends on a lead byte does not match
// that byte's character, which would leave its trail byte standing alone (a trail
// byte of 936 may be a backslash).
bool MatchesAt(const std::string& s, size_t pos, const std::string& what, const CodePage& cp) {
    if (s.compare(pos, what.size(), what) != 0) return false;
    size_t end = pos;
    while (end < pos + what.size()) end += CharLength(s, end, cp);
    return end == pos + what.size();
}

}  // namespace

const CodePage CodePage::kGbk = CodePage::Windows(936);
const CodePage CodePage::kUtf8 = CodePage::Windows(kUtf8CodePage);

void CodePage::AddLeadBytes(unsigned first, unsigned last) {
    for (unsigned b = first; b <= last && b < 256; ++b) m_lead.set(b);
}

CodePage CodePage::Windows(unsigned id) {
    CodePage cp(id, id == kUtf8CodePage);
    switch (id) {
        case 932:  // Shift-JIS: the single-byte katakana 0xA1..0xDF lie between the ranges
            cp.AddLeadBytes(0x81, 0x9F);
            cp.AddLeadBytes(0xE0, 0xFC);
            break;
        case 936:  // GBK
        case 949:  // Unified Hangul Code
        case 950:  // Big5
            cp.AddLeadBytes(0x81, 0xFE);
            break;
        default:
            break;
    }
    return cp;
}

CodePage CodePage::FromLeadByteRanges(unsigned id, const unsigned char* ranges, size_t size) {
    CodePage cp(id, false);
    for (size_t i = 0; i + 1 < size && (ranges[i] != 0 || ranges[i + 1] != 0); i += 2) {
        cp.AddLeadBytes(ranges[i], ranges[i + 1]);
    }
    return cp;
}

size_t CharLength(const std::string& s, size_t pos, const CodePage& cp) {
    if (pos >= s.size()) return 1;
    return cp.IsUtf8() ? Utf8CharLength(s, pos) : DoubleByteCharLength(s, pos, cp);
}

size_t ReverseFind(const std::string& s, char ch, const CodePage& cp) {
    size_t found = std::string::npos;
    for (size_t pos = 0; pos < s.size(); pos += CharLength(s, pos, cp)) {
        if (s[pos] == ch) found = pos;
    }
    return found;
}

size_t Find(const std::string& s, const std::string& what, size_t start, const CodePage& cp) {
    if (what.empty()) return std::string::npos;
    // Character boundaries are only known when walking from the start of the text.
    for (size_t pos = 0; pos < s.size(); pos += CharLength(s, pos, cp)) {
        if (pos >= start && MatchesAt(s, pos, what, cp)) return pos;
    }
    return std::string::npos;
}

int Replace(std::string& s, const std::string& from, const std::string& to, const CodePage& cp) {
    if (from.empty()) return 0;
    std::string result;
    int count = 0;
    size_t pos = 0;
    while (pos < s.size()) {
        if (MatchesAt(s, pos, from, cp)) {
            result += to;
            pos += from.size();
            ++count;
        } else {
            size_t n = CharLength(s, pos, cp);
            result.append(s, pos, n);
            pos += n;
        }
    }
    if (count > 0) s.swap(result);
    return count;
}

}  // namespace text
