// The number rules of the dialogs' data exchange, kept portable so that the
// terminal front end and the tests use exactly the same rules as the window.
#pragma once

#include <cstdint>
#include <string>

namespace number_parse {

// Only this many leading characters of a field take part in parsing.
constexpr size_t kMaxFieldChars = 31;

// Blanks and tabs around an optionally signed decimal; a value out of the 32-bit
// range becomes the nearest limit; a zero result is rejected unless the text's first
// non-blank character is the digit 0 (so "", "+0" and "-0" fail, "0" and "00" pass).
bool ParseInteger(const std::string& field, int32_t& value);

// The same frame around a strtod number; the accepted value is rounded to single
// precision. A zero result is rejected unless the first non-blank character is '0'.
bool ParseReal(const std::string& field, float& value);

// "%.*g" with precision 6: 700 -> "700", 1.5 -> "1.5", 123.456789 -> "123.457".
std::string FormatReal(double value);
std::string FormatInteger(int32_t value);

}  // namespace number_parse
