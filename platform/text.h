// Byte-string helpers that step over whole characters of a multi-byte code page,
// so that a trail byte never matches a backslash, a dot or the start of a substring.
#pragma once

#include <cstddef>
#include <string>

namespace text {

enum class CodePage {
    kGbk,   // code page 936: a lead byte 0x81..0xFE takes the next byte with it
    kUtf8,  // a lead byte takes as many continuation bytes as it announces
};

// The code page the running system uses for its byte strings: 936 on Windows
// (whatever GetACP says, as long as it is a double-byte code page), UTF-8 on POSIX.
CodePage SystemCodePage();

// Length in bytes (1 or more, never past the end) of the character that starts at pos.
size_t CharLength(const std::string& s, size_t pos, CodePage cp);

// Position of the last occurrence of ch that starts a character, or npos.
size_t ReverseFind(const std::string& s, char ch, CodePage cp = SystemCodePage());

// Position of the first occurrence of what at or after start that begins on a
// character boundary, or npos. An empty what is never found.
size_t Find(const std::string& s, const std::string& what, size_t start = 0,
            CodePage cp = SystemCodePage());

// Replaces every occurrence of from (left to right, no overlaps, the inserted text is
// not scanned again) and returns how many were replaced. An empty from replaces nothing.
int Replace(std::string& s, const std::string& from, const std::string& to,
            CodePage cp = SystemCodePage());

}  // namespace text
