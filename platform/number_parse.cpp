#include "platform/number_parse.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace number_parse {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(const std::string& s, size_t pos) {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    return pos;
}

// The C library's number conversion skips any white space before the number itself.
size_t SkipSpaces(const std::string& s, size_t pos) {
    while (pos < s.size() && std::strchr(" \t\n\v\f\r", s[pos]) && s[pos] != '\0') ++pos;
    return pos;
}

size_t SkipDigits(const std::string& s, size_t pos) {
    while (pos < s.size() && IsDigit(s[pos])) ++pos;
    return pos;
}

size_t SkipSign(const std::string& s, size_t pos) {
    return pos < s.size() && (s[pos] == '+' || s[pos] == '-') ? pos + 1 : pos;
}

// Length of the plain decimal number (sign, digits, point, exponent) at pos; 0 when
// there is none. Hexadecimal, infinity and NaN forms are deliberately not numbers.
size_t DecimalLength(const std::string& s, size_t pos) {
    size_t p = SkipSign(s, pos);
    size_t intEnd = SkipDigits(s, p);
    size_t end = intEnd;
    bool hasDigits = intEnd > p;
    if (end < s.size() && s[end] == '.') {
        size_t fracEnd = SkipDigits(s, end + 1);
        hasDigits = hasDigits || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!hasDigits) return 0;
    if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
        size_t expDigits = SkipSign(s, end + 1);
        size_t expEnd = SkipDigits(s, expDigits);
        if (expEnd > expDigits) end = expEnd;
    }
    return end - pos;
}

size_t IntegerLength(const std::string& s, size_t pos) {
    size_t p = SkipSign(s, pos);
    size_t end = SkipDigits(s, p);
    return end > p ? end - pos : 0;
}

int32_t ClampToInt32(const std::string& digits) {
    long long v = std::strtoll(digits.c_str(), nullptr, 10);
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Zero is accepted only when it was really typed as a zero, not as "", "+0" or ".0".
bool ZeroIsTyped(double value, const std::string& s, size_t start) {
    return value != 0 || (start < s.size() && s[start] == '0');
}

// Values beyond single precision become infinite, which every range check refuses.
float ToSingle(double v) {
    if (std::fabs(v) > std::numeric_limits<float>::max()) {
        float inf = std::numeric_limits<float>::infinity();
        return v > 0 ? inf : -inf;
    }
    return static_cast<float>(v);
}

bool OnlyBlanksFrom(const std::string& s, size_t pos) {
    return SkipBlanks(s, pos) == s.size();
}

}  // namespace

bool ParseInteger(const std::string& field, int32_t& value) {
    const std::string s = field.substr(0, kMaxFieldChars);
    size_t start = SkipBlanks(s, 0);
    size_t number = SkipSpaces(s, start);
    size_t len = IntegerLength(s, number);
    int32_t v = len > 0 ? ClampToInt32(s.substr(number, len)) : 0;
    if (!ZeroIsTyped(v, s, start) || !OnlyBlanksFrom(s, number + len)) return false;
    value = v;
    return true;
}

bool ParseReal(const std::string& field, float& value) {
    const std::string s = field.substr(0, kMaxFieldChars);
    size_t start = SkipBlanks(s, 0);
    size_t number = SkipSpaces(s, start);
    size_t len = DecimalLength(s, number);
    double v = len > 0 ? std::strtod(s.substr(number, len).c_str(), nullptr) : 0.0;
    if (!ZeroIsTyped(v, s, start) || !OnlyBlanksFrom(s, number + len)) return false;
    value = ToSingle(v);
    return true;
}

std::string FormatReal(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 6, value);
    return buffer;
}

std::string FormatInteger(int32_t value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
    return buffer;
}

}  // namespace number_parse
