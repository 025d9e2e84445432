// Cases of the naming rules that a run on a real folder cannot show on every system.
#include "rename/rename_rules.h"

#include <gtest/gtest.h>

#include <climits>

using namespace rename_rules;
using text::CodePage;

TEST(Numbering, PaddingFollowsTheSignedValueAndTheCounterWraps) {
    EXPECT_EQ("009", NumberText(9));
    EXPECT_EQ("010", NumberText(10));
    EXPECT_EQ("099", NumberText(99));
    EXPECT_EQ("100", NumberText(100));
    EXPECT_EQ("00-2147483648", NumberText(INT_MIN));
    EXPECT_EQ(INT_MIN, Advance(INT_MAX, 1));
    EXPECT_EQ(INT_MAX, Advance(INT_MIN, -1));
}

TEST(Rules, NameStartingWithADotHasOnlyAnExtension) {
    // Dot-names are hidden on POSIX and under Wine, so a run never reaches them there.
    EXPECT_EQ("name001.profile", SequenceName(".profile", false, "name", 1, false));
    std::string out;
    ASSERT_TRUE(ExtensionName(".profile", "txt", out));
    EXPECT_EQ(".txt", out);
}

TEST(Rules, NewTextsAreTakenAsTyped) {
    std::string out;
    ASSERT_TRUE(ExtensionName("a.txt", ".md", out));
    EXPECT_EQ("a..md", out);
    EXPECT_EQ("name001.", SequenceName("trailing.", false, "name", 1, false));
    EXPECT_EQ("042.txt", SequenceName("a.txt", false, "", 42, true));
}

TEST(Rules, MatchesStartOnlyOnCharacterBoundaries) {
    // In code page 936 this is one character whose second byte is 'A'.
    const std::string endsInA = "\x81\x41";
    std::string out;
    EXPECT_FALSE(ReplacedName(endsInA + ".txt", "A", "b", out, CodePage::kGbk));
    ASSERT_TRUE(ReplacedName(endsInA + "A.txt", "A", "b", out, CodePage::kGbk));
    EXPECT_EQ(endsInA + "b.txt", out);
    ASSERT_TRUE(ReplacedName("a.a", "a", "aa", out));  // inserted text is not scanned again
    EXPECT_EQ("aa.aa", out);

    // An accented letter of 1252 or a half-width katakana of 932 is one byte: the match
    // right after it counts, where the rules of 936 would take it into the character.
    const std::string accented = "Caf\xE9";
    ASSERT_TRUE(ReplacedName(accented + "c.jpg", "c", "C", out, CodePage::Windows(1252)));
    EXPECT_EQ(accented + "C.jpg", out);
    EXPECT_FALSE(ReplacedName(accented + "c.jpg", "c.", "C.", out, CodePage::kGbk));
    const std::string katakana = "\xB1", kanji = "\x81\x41";
    ASSERT_TRUE(
        ReplacedName(katakana + "A" + kanji + ".txt", "A", "b", out, CodePage::Windows(932)));
    EXPECT_EQ(katakana + "b" + kanji + ".txt", out);
}
