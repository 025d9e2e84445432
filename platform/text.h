// Byte-string helpers that step over whole characters of a multi-byte code page,
// so that a trail byte never matches a backslash, a dot or the start of a substring.
#pragma once

#include <bitset>
#include <cstddef>
#include <string>

namespace text {

// How the bytes of one code page group into characters: UTF-8 sequences, a double-byte
// code page's lead byte with the byte after it, or one byte each.
class CodePage {
  public:
    static const CodePage kGbk;   // 936: a lead byte 0x81..0xFE takes the next byte with it
    static const CodePage kUtf8;  // a lead byte takes as many continuation bytes as it announces

    // A Windows ANSI code page by its number: 932, 936, 949 and 950 are the double-byte
    // ones, 65001 is UTF-8, and every other number steps byte by byte.
    static CodePage Windows(unsigned id);
    // A double-byte code page from its lead-byte ranges as GetCPInfo gives them: pairs
    // of first and last byte, ended by a pair of zeros, at most `size` bytes.
    static CodePage FromLeadByteRanges(unsigned id, const unsigned char* ranges, size_t size);

    unsigned id() const { return m_id; }
    bool IsUtf8() const { return m_utf8; }
    bool IsLeadByte(unsigned char b) const { return m_lead[b]; }

  private:
    CodePage(unsigned id, bool utf8) : m_id(id), m_utf8(utf8) {}
    void AddLeadBytes(unsigned first, unsigned last);

    unsigned m_id;
    bool m_utf8;
    std::bitset<256> m_lead;
};

// The code page of names and paths inside the program: UTF-8 on every system (Windows
// converts them to UTF-16 at each call, never through its ANSI code page).
const CodePage& SystemCodePage();

// Length in bytes (1 or more, never past the end) of the character that starts at pos.
size_t CharLength(const std::string& s, size_t pos, const CodePage& cp);

// Position of the last occurrence of ch that starts a character, or npos.
size_t ReverseFind(const std::string& s, char ch, const CodePage& cp = SystemCodePage());

// Position of the first occurrence of what at or after start that begins on a
// character boundary, or npos. An empty what is never found.
size_t Find(const std::string& s, const std::string& what, size_t start = 0,
            const CodePage& cp = SystemCodePage());

// Replaces every occurrence of from (left to right, no overlaps, the inserted text is
// not scanned again) and returns how many were replaced. An empty from replaces nothing.
int Replace(std::string& s, const std::string& from, const std::string& to,
            const CodePage& cp = SystemCodePage());

// A name (UTF-8, as the program keeps every name) as the program's own texts carry it,
// for a message: code page 936 bytes on Windows, where what 936 lacks shows as "?";
// unchanged on POSIX. Only for display: never for a name that is used.
std::string ForDisplay(const std::string& name);

}  // namespace text
