#include "platform/text.h"

#include <gtest/gtest.h>

#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

using text::CodePage;
namespace {

const size_t npos = std::string::npos;

// "\xD5\x5C" is one GBK character whose trail byte is a backslash; "\xB0\xA1" is another.
TEST(GbkText, CharLengthTakesTrailByteButNeverStepsPastTheEnd) {
    EXPECT_EQ(text::CharLength("\xD5\x5C", 0, CodePage::kGbk), 2u);
    EXPECT_EQ(text::CharLength("a\xB0\xA1", 0, CodePage::kGbk), 1u);
    EXPECT_EQ(text::CharLength("a\xB0", 1, CodePage::kGbk), 1u);     // lone lead at the end
    EXPECT_EQ(text::CharLength("\x80\x61", 0, CodePage::kGbk), 1u);  // 0x80 and 0xFF lead nothing
    EXPECT_EQ(text::CharLength("\xFF\x61", 0, CodePage::kGbk), 1u);
    EXPECT_EQ(text::CharLength("\x81\x40", 0, CodePage::kGbk), 2u);
    EXPECT_EQ(text::CharLength("\xFE\x40", 0, CodePage::kGbk), 2u);
}

TEST(GbkText, ReverseFindSkipsTrailBytes) {
    EXPECT_EQ(text::ReverseFind("\xD5\x5C", '\\', CodePage::kGbk), npos);
    EXPECT_EQ(text::ReverseFind("a\\\xD5\x5C", '\\', CodePage::kGbk), 1u);
    EXPECT_EQ(text::ReverseFind("\xD5\x5C\\b", '\\', CodePage::kGbk), 2u);
    EXPECT_EQ(text::ReverseFind("\\\xB0", '\\', CodePage::kGbk), 0u);
    EXPECT_EQ(text::ReverseFind("", '\\', CodePage::kGbk), npos);
    // The same bytes read as single bytes would match the trail byte.
    EXPECT_EQ(std::string("a\\\xD5\x5C").rfind('\\'), 3u);
}

TEST(GbkText, FindStartsOnlyOnCharacterBoundaries) {
    const std::string s = "\xB0\xA1\xB0\xA1";
    EXPECT_EQ(text::Find(s, "\xA1\xB0", 0, CodePage::kGbk), npos);
    EXPECT_EQ(text::Find(s, "\xB0\xA1", 0, CodePage::kGbk), 0u);
    EXPECT_EQ(text::Find(s, "\xB0\xA1", 1, CodePage::kGbk), 2u);
    EXPECT_EQ(text::Find(s, "\xB0\xA1", 3, CodePage::kGbk), npos);
    EXPECT_EQ(text::Find("\xD5\x5C\x78", "\\x", 0, CodePage::kGbk), npos);
    EXPECT_EQ(text::Find(s, "", 0, CodePage::kGbk), npos);
    EXPECT_EQ(text::Find("", "a", 0, CodePage::kGbk), npos);
}

TEST(GbkText, ReplaceCountsWholeCharacterMatches) {
    std::string s = "\xB0\xA1\xB0\xA1";
    EXPECT_EQ(text::Replace(s, "\xA1\xB0", "x", CodePage::kGbk), 0);
    EXPECT_EQ(s, "\xB0\xA1\xB0\xA1");
    EXPECT_EQ(text::Replace(s, "\xB0\xA1", "x", CodePage::kGbk), 2);
    EXPECT_EQ(s, "xx");

    std::string path = "\xD5\x5C\x61\\a";  // the first "\\a" pair starts on a trail byte
    EXPECT_EQ(text::Replace(path, "\\a", "/", CodePage::kGbk), 1);
    EXPECT_EQ(path, "\xD5\x5C\x61/");

    // A lead byte alone takes no part of its character: removing it would set free a
    // trail byte that is a backslash.
    std::string name =
        "\x95\x5C"
        "a.txt";
    EXPECT_EQ(text::Find(name, "\x95", 0, CodePage::kGbk), npos);
    EXPECT_EQ(text::Replace(name, "\x95", "", CodePage::kGbk), 0);
    EXPECT_EQ(text::Replace(name, "a.\x95", "", CodePage::kGbk), 0);
}

TEST(Replace, ScansLeftToRightWithoutOverlapOrRescan) {
    std::string s = "aaa.txt";
    EXPECT_EQ(text::Replace(s, "aa", "b", CodePage::kUtf8), 1);
    EXPECT_EQ(s, "ba.txt");

    s = "banana";
    EXPECT_EQ(text::Replace(s, "a", "aa", CodePage::kGbk), 3);
    EXPECT_EQ(s, "baanaanaa");

    s = "a.txt";
    EXPECT_EQ(text::Replace(s, "A", "b", CodePage::kUtf8), 0);  // case matters
    EXPECT_EQ(text::Replace(s, "", "b", CodePage::kUtf8), 0);
    EXPECT_EQ(s, "a.txt");
    EXPECT_EQ(text::Replace(s, "a.txt", "", CodePage::kUtf8), 1);
    EXPECT_EQ(s, "");
}

// "\xE4\xB8\xAD" is a three-byte UTF-8 character.
TEST(Utf8Text, LeadByteAnnouncesLengthAndBrokenBytesCountAsOne) {
    EXPECT_EQ(text::CharLength("\xE4\xB8\xAD", 0, CodePage::kUtf8), 3u);
    EXPECT_EQ(text::CharLength("\xF0\x9F\x98\x80", 0, CodePage::kUtf8), 4u);
    EXPECT_EQ(text::CharLength("\xE4\xB8", 0, CodePage::kUtf8), 1u);  // cut off by the end
    EXPECT_EQ(text::CharLength("\xE4.", 0, CodePage::kUtf8), 1u);     // no continuation
    EXPECT_EQ(text::CharLength("\x80", 0, CodePage::kUtf8), 1u);      // stray continuation
    EXPECT_EQ(text::CharLength("ab", 5, CodePage::kUtf8), 1u);
}

TEST(Utf8Text, SearchesStepOverWholeCharacters) {
    EXPECT_EQ(text::ReverseFind("\xE4\xB8\xAD.txt", '.', CodePage::kUtf8), 3u);
    EXPECT_EQ(text::ReverseFind("a.\xE4\x2E\x62", '.', CodePage::kUtf8), 3u);
    EXPECT_EQ(text::Find("\xE4\xB8\xAD\xE4\xB8\xAD", "\xAD", 0, CodePage::kUtf8), npos);
    EXPECT_EQ(text::Find("\xE4\xB8\xAD\xE4\xB8\xAD", "\xE4\xB8\xAD", 1, CodePage::kUtf8), 3u);
    // Read as GBK, the same bytes pair up differently.
    EXPECT_EQ(text::Find("\xE4\xB8\xAD\xE4\xB8\xAD", "\xAD\xE4", 0, CodePage::kGbk), 2u);
    EXPECT_EQ(text::Find("\xE4\xB8\xAD\xE4\xB8\xAD", "\xAD\xE4", 0, CodePage::kUtf8), npos);
}

TEST(CodePages, EachDoubleByteCodePageHasItsOwnLeadBytes) {
    struct Case {
        unsigned id;
        std::vector<int> lead, single;
    };
    const Case cases[] = {
        {932, {0x81, 0x9F, 0xE0, 0xFC}, {0x5C, 0x80, 0xA0, 0xA1, 0xDF, 0xFD, 0xFF}},
        {936, {0x81, 0xFE}, {0x7F, 0x80, 0xFF}},
        {949, {0x81, 0xFE}, {0x7F, 0x80, 0xFF}},
        {950, {0x81, 0xFE}, {0x7F, 0x80, 0xFF}},
        {1252, {}, {0x5C, 0x80, 0x81, 0xE9, 0xFE}},
    };
    for (const Case& c : cases) {
        const CodePage cp = CodePage::Windows(c.id);
        for (int b : c.lead)
            EXPECT_EQ(text::CharLength({char(b), 'A'}, 0, cp), 2u) << c.id << " " << b;
        for (int b : c.single)
            EXPECT_EQ(text::CharLength({char(b), 'A'}, 0, cp), 1u) << c.id << " " << b;
    }
    // The ranges as GetCPInfo reports them give the same table, up to the pair of zeros.
    const unsigned char sjis[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0x20, 0x30};
    const CodePage fromRanges = CodePage::FromLeadByteRanges(932, sjis, sizeof sjis);
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(fromRanges.IsLeadByte(b), CodePage::Windows(932).IsLeadByte(b)) << b;
    }
}

#ifdef _WIN32
// Our tables of the double-byte code pages agree with the system's own.
TEST(CodePages, AgreeWithTheSystemsLeadBytes) {
    for (unsigned id : {932u, 936u, 949u, 950u, 1252u}) {
        for (int b = 0; b < 256; ++b) {
            EXPECT_EQ(CodePage::Windows(id).IsLeadByte(static_cast<unsigned char>(b)),
                      IsDBCSLeadByteEx(id, static_cast<BYTE>(b)) != FALSE)
                << "code page " << id << ", byte " << b;
        }
    }
}
#endif

}  // namespace
