#include "platform/windows_case.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace windows_case {
namespace {

struct UpcaseRun {
    uint16_t first, last;
    uint8_t step;
    int32_t offset;
};

const UpcaseRun kRuns[] = {
#include "platform/upcase_table.inc"
};

// Reads the UTF-16 units of a UTF-8 name one at a time.
class Utf16Units {
  public:
    explicit Utf16Units(const std::string& s) : m_s(s) {}

    bool Next(char16_t& unit) {
        if (m_pending) {
            unit = m_pending;
            m_pending = 0;
            return true;
        }
        if (m_pos >= m_s.size()) return false;
        const uint32_t cp = DecodeAt();
        if (cp < 0x10000) {
            unit = static_cast<char16_t>(cp);
        } else {
            unit = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            m_pending = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        }
        return true;
    }

  private:
    uint8_t Byte(size_t i) const { return static_cast<uint8_t>(m_s[i]); }

    uint32_t DecodeAt() {
        const uint8_t lead = Byte(m_pos);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        uint32_t cp = length == 1   ? lead
                      : length == 2 ? lead & 0x1F
                      : length == 3 ? lead & 0x0F
                                    : lead & 0x07;
        for (size_t i = 1; i < length; ++i) {
            if (m_pos + i >= m_s.size() || (Byte(m_pos + i) & 0xC0) != 0x80) length = 0;
            if (length) cp = cp << 6 | (Byte(m_pos + i) & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no valid sequence.
        const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (length == 0 || cp < least[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            return 0xDC00 + Byte(m_pos++);
        }
        m_pos += length;
        return cp;
    }

    const std::string& m_s;
    size_t m_pos = 0;
    char16_t m_pending = 0;
};

}  // namespace

char16_t Upcase(char16_t unit) {
    const auto after = std::upper_bound(std::begin(kRuns), std::end(kRuns), unit,
                                        [](char16_t u, const UpcaseRun& r) { return u < r.first; });
    if (after == std::begin(kRuns)) return unit;
    const UpcaseRun& run = *(after - 1);
    if (unit > run.last || (unit - run.first) % run.step != 0) return unit;
    return static_cast<char16_t>(unit + run.offset);
}

int Compare(const std::string& a, const std::string& b) {
    Utf16Units left(a), right(b);
    for (;;) {
        char16_t x = 0, y = 0;
        const bool more = left.Next(x);
        const bool moreRight = right.Next(y);
        if (!more || !moreRight) return more ? 1 : moreRight ? -1 : 0;
        x = Upcase(x);
        y = Upcase(y);
        if (x != y) return x < y ? -1 : 1;
    }
}

}  // namespace windows_case
