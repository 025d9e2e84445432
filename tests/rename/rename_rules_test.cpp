#include "rename/rename_rules.h"

#include <gtest/gtest.h>

#include <climits>

using rename_rules::Advance;
using rename_rules::ExtensionName;
using rename_rules::NumberText;
using rename_rules::ReplacedName;
using rename_rules::SequenceName;
using text::CodePage;

TEST(NumberText, PadsBySignedValue) {
    EXPECT_EQ("000", NumberText(0));
    EXPECT_EQ("001", NumberText(1));
    EXPECT_EQ("009", NumberText(9));
    EXPECT_EQ("010", NumberText(10));
    EXPECT_EQ("099", NumberText(99));
    EXPECT_EQ("100", NumberText(100));
    EXPECT_EQ("1234", NumberText(1234));
    EXPECT_EQ("00-1", NumberText(-1));
    EXPECT_EQ("00-300", NumberText(-300));
    EXPECT_EQ("00-2147483648", NumberText(INT_MIN));
    EXPECT_EQ("2147483647", NumberText(INT_MAX));
}

TEST(Advance, WrapsAroundWithoutOverflow) {
    EXPECT_EQ(5, Advance(0, 5));
    EXPECT_EQ(-2, Advance(-1, -1));
    EXPECT_EQ(INT_MIN, Advance(INT_MAX, 1));
    EXPECT_EQ(INT_MAX, Advance(INT_MIN, -1));
    EXPECT_EQ(-2, Advance(INT_MAX, INT_MAX));
}

TEST(SequenceName, KeepsTheTailFromTheLastDot) {
    EXPECT_EQ("name001.txt", SequenceName("a.txt", false, "name", 1, false));
    EXPECT_EQ("001name.txt", SequenceName("a.txt", false, "name", 1, true));
    EXPECT_EQ("name001.gz", SequenceName("archive.tar.gz", false, "name", 1, false));
    EXPECT_EQ("name001.profile", SequenceName(".profile", false, "name", 1, false));
    EXPECT_EQ("name001.", SequenceName("trailing.", false, "name", 1, false));
    EXPECT_EQ("042.txt", SequenceName("a.txt", false, "", 42, true));
}

TEST(SequenceName, NameWithoutDotAndFoldersGetNoTail) {
    EXPECT_EQ("name001", SequenceName("README", false, "name", 1, false));
    EXPECT_EQ("name001", SequenceName("a.b", true, "name", 1, false));
    EXPECT_EQ("007name", SequenceName("a.b", true, "name", 7, true));
}

TEST(ExtensionName, ReplacesTheTextAfterTheLastDot) {
    std::string out;
    ASSERT_TRUE(ExtensionName("archive.tar.gz", "txt", out));
    EXPECT_EQ("archive.tar.txt", out);
    ASSERT_TRUE(ExtensionName(".profile", "txt", out));
    EXPECT_EQ(".txt", out);
    ASSERT_TRUE(ExtensionName("a.txt", "", out));
    EXPECT_EQ("a.", out);
    ASSERT_TRUE(ExtensionName("a.txt", ".md", out));
    EXPECT_EQ("a..md", out);
}

TEST(ExtensionName, NameWithoutDotGainsOneOrStays) {
    std::string out = "untouched";
    ASSERT_TRUE(ExtensionName("README", "txt", out));
    EXPECT_EQ("README.txt", out);
    out = "untouched";
    EXPECT_FALSE(ExtensionName("README", "", out));
    EXPECT_EQ("untouched", out);
}

TEST(ExtensionName, DotAsTrailByteIsNotADot) {
    // 0x2E is never a trail byte in code page 936, but a UTF-8 sequence must be
    // stepped over whole: the dot after it is the last one.
    std::string out;
    ASSERT_TRUE(ExtensionName("\xE4\xB8\xAD.doc", "txt", out, CodePage::kUtf8));
    EXPECT_EQ("\xE4\xB8\xAD.txt", out);
}

TEST(ReplacedName, ReplacesLeftToRightWithoutOverlap) {
    std::string out;
    ASSERT_TRUE(ReplacedName("aaa.txt", "aa", "b", out));
    EXPECT_EQ("ba.txt", out);
    ASSERT_TRUE(ReplacedName("a.txt", "txt", "md", out));
    EXPECT_EQ("a.md", out);
    ASSERT_TRUE(ReplacedName("abab", "ab", "", out));
    EXPECT_EQ("", out);
    ASSERT_TRUE(ReplacedName("a.a", "a", "aa", out));
    EXPECT_EQ("aa.aa", out);
}

TEST(ReplacedName, NoMatchLeavesTheNameAlone) {
    std::string out = "untouched";
    EXPECT_FALSE(ReplacedName("a.txt", "A", "b", out));
    EXPECT_FALSE(ReplacedName("a.txt", "", "b", out));
    EXPECT_FALSE(ReplacedName("a.txt", "xyz", "b", out));
    EXPECT_EQ("untouched", out);
}

TEST(ReplacedName, NeverMatchesOnATrailByte) {
    // In code page 936 "\x81\x41" is one character whose second byte is 'A'.
    std::string out;
    EXPECT_FALSE(ReplacedName("\x81\x41.txt", "A", "b", out, CodePage::kGbk));
    ASSERT_TRUE(ReplacedName("\x81\x41" "A.txt", "A", "b", out, CodePage::kGbk));
    EXPECT_EQ("\x81\x41" "b.txt", out);
}
