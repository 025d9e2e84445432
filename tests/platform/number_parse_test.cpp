#include "platform/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const int32_t kUntouched = 4242;

bool Int(const std::string& field, int32_t& value) {
    value = kUntouched;
    return number_parse::ParseInteger(field, value);
}

bool Real(const std::string& field, float& value) {
    value = kUntouched;
    return number_parse::ParseReal(field, value);
}

TEST(ParseInteger, RejectsNonIntegersAndLeavesTheValue) {
    for (const char* bad :
         {"", " ", "abc", "12abc", "1.5", "+0", "-0", "1 2", "--1", "+", "0x10", "12\n"}) {
        int32_t v;
        EXPECT_FALSE(Int(bad, v)) << '"' << bad << '"';
        EXPECT_EQ(v, kUntouched) << '"' << bad << '"';
    }
}

TEST(ParseInteger, AcceptsBlanksSignsAndClampsToThe32BitRange) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {
        {"12", 12},
        {" 12 ", 12},
        {"\t12\t", 12},
        {"-5", -5},
        {" \n12", 12},  // the C conversion skips any white space
        {"+7", 7},
        {"0", 0},
        {"00", 0},
        {"007", 7},
        {"2147483647", 2147483647},
        {"99999999999", 2147483647},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
        {"999999999999999999999999999", 2147483647},
    };
    for (const auto& c : cases) {
        int32_t v;
        EXPECT_TRUE(Int(c.text, v)) << '"' << c.text << '"';
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    }
}

TEST(ParseInteger, JudgesOnlyTheFirst31Characters) {
    int32_t v;
    EXPECT_TRUE(Int("1" + std::string(30, ' ') + "x", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(Int(std::string(31, '0') + "5", v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(Int("1" + std::string(29, ' ') + "x", v));
}

TEST(ParseReal, RejectsNonNumbersAndUntypedZeros) {
    for (const char* bad : {"", "  ", ".0", "-0", "+0.0", ".", "abc", "1.5x", "1,5", "1e", "0x10",
                            "inf", "nan", "-", "1 2"}) {
        float v;
        EXPECT_FALSE(Real(bad, v)) << '"' << bad << '"';
        EXPECT_EQ(v, kUntouched) << '"' << bad << '"';
    }
}

TEST(ParseReal, AcceptsDecimalsAndRoundsToSinglePrecision) {
    const struct {
        const char* text;
        float value;
    } cases[] = {
        {"0", 0.0f},     {"0.0", 0.0f}, {"00", 0.0f},     {".5", 0.5f},
        {"1e2", 100.0f}, {"0.5", 0.5f}, {"701", 701.0f},  {" 1.5\t", 1.5f},
        {"-2.5", -2.5f}, {"2.", 2.0f},  {"1E+2", 100.0f}, {"5e-1", 0.5f},
    };
    for (const auto& c : cases) {
        float v;
        EXPECT_TRUE(Real(c.text, v)) << '"' << c.text << '"';
        EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    }
}

TEST(ParseReal, SinglePrecisionDecidesTheRangeEdge) {
    float v;
    EXPECT_TRUE(Real("700.00001", v));
    EXPECT_EQ(v, 700.0f);  // so it passes a check against 700
    EXPECT_TRUE(Real("700.001", v));
    EXPECT_GT(v, 700.0f);
    EXPECT_TRUE(Real("1e39", v));  // beyond single precision
    EXPECT_TRUE(std::isinf(v));
}

TEST(ParseReal, JudgesOnlyTheFirst31Characters) {
    float v;
    EXPECT_TRUE(Real("1.5" + std::string(28, ' ') + "x", v));
    EXPECT_EQ(v, 1.5f);
    EXPECT_TRUE(Real("0." + std::string(29, '0') + "5", v));
    EXPECT_EQ(v, 0.0f);
}

TEST(FormatNumbers, UseSixSignificantDigitsAndPlainDecimal) {
    EXPECT_EQ(number_parse::FormatReal(2), "2");
    EXPECT_EQ(number_parse::FormatReal(1.5), "1.5");
    EXPECT_EQ(number_parse::FormatReal(123.456789), "123.457");
    EXPECT_EQ(number_parse::FormatReal(700), "700");
    EXPECT_EQ(number_parse::FormatReal(0.5f), "0.5");
    EXPECT_EQ(number_parse::FormatReal(1.9073486328125), "1.90735");
    EXPECT_EQ(number_parse::FormatInteger(0), "0");
    EXPECT_EQ(number_parse::FormatInteger(-3), "-3");
    EXPECT_EQ(number_parse::FormatInteger(std::numeric_limits<int32_t>::min()), "-2147483648");
}

}  // namespace
