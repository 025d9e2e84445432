#include "rename/forbidden_chars.h"

#include <gtest/gtest.h>

using text::CodePage;

TEST(ForbiddenChars, EachForbiddenCharacterIsFound) {
    for (const char* bad : {"\\", "/", ":", "*", "?", "\"", "<", ">", "|"}) {
        EXPECT_TRUE(forbidden_chars::Contains(std::string("ab") + bad + "c", CodePage::kGbk))
            << bad;
        EXPECT_TRUE(forbidden_chars::Contains(bad, CodePage::kUtf8)) << bad;
    }
    EXPECT_FALSE(forbidden_chars::Contains("name.with dots-and_[brackets]", CodePage::kUtf8));
    EXPECT_FALSE(forbidden_chars::Contains("", CodePage::kUtf8));
    EXPECT_FALSE(forbidden_chars::Contains("\xE4\xB8\xAD\xE6\x96\x87", CodePage::kUtf8));
}

TEST(ForbiddenChars, TrailBytesOfDoubleByteCharactersDoNotCount) {
    // Both 0x5C (backslash) and 0x7C (bar) occur as second bytes in code page 936.
    EXPECT_FALSE(
        forbidden_chars::Contains("\x95\x5C"
                                  "a",
                                  CodePage::kGbk));
    EXPECT_FALSE(forbidden_chars::Contains("\xD6\x7C", CodePage::kGbk));
    EXPECT_TRUE(forbidden_chars::Contains("\x95\x5C\\", CodePage::kGbk));
}

TEST(ForbiddenChars, OtherCodePagesStepByTheirOwnLeadBytes) {
    // "Caf\xE9\\x" is "Café\x" in code page 1252, where every byte is a character; read by
    // the rules of 936 the backslash would hide in a double-byte character and the rename
    // would move the file into a folder "Café".
    const std::string cafe = "Caf\xE9\\x";
    EXPECT_TRUE(forbidden_chars::Contains(cafe, CodePage::Windows(1252)));
    EXPECT_FALSE(forbidden_chars::Contains(cafe, CodePage::kGbk));
    // In 932 0xE9 does lead a character, but the half-width katakana 0xA1..0xDF do not.
    EXPECT_FALSE(forbidden_chars::Contains(cafe, CodePage::Windows(932)));
    EXPECT_TRUE(forbidden_chars::Contains("\xB1|", CodePage::Windows(932)));
    EXPECT_TRUE(forbidden_chars::Contains("\xFD:", CodePage::Windows(932)));
    EXPECT_FALSE(forbidden_chars::Contains("\x81\x5C", CodePage::Windows(932)));
}

TEST(ForbiddenChars, ATextEndingOnALeadByteWouldJoinTheNextCharacter) {
    // "x\xFE" followed by a name's "\xD1/" reads as "x", "\xFE\xD1", "/": the slash
    // that the name hid in a character comes free.
    EXPECT_TRUE(forbidden_chars::EndsInsideACharacter("x\xFE", CodePage::kGbk));
    EXPECT_FALSE(forbidden_chars::EndsInsideACharacter("x\xFE\xD1", CodePage::kGbk));
    EXPECT_FALSE(forbidden_chars::EndsInsideACharacter("x\xFE", CodePage::Windows(1252)));
    EXPECT_FALSE(forbidden_chars::EndsInsideACharacter("x\xE4", CodePage::kUtf8));
    RenameSettings s;
    s.m_strNewName = "name\x81";
    EXPECT_TRUE(forbidden_chars::CutsACharacter(s, CodePage::kGbk));
    EXPECT_FALSE(forbidden_chars::InNewNames(s, CodePage::kGbk));
}

class ForbiddenInNewNames : public testing::Test {
  protected:
    bool Check() { return forbidden_chars::InNewNames(s, CodePage::kUtf8); }
    RenameSettings s;
};

TEST_F(ForbiddenInNewNames, OnlyTheTextOfTheChosenRuleCounts) {
    s.m_strNewExt = "a:b";
    s.m_strReplace = "x/y";
    s.m_strFind = "x";
    EXPECT_FALSE(Check());  // sequence rule with a clean base name
    s.m_strNewName = "sub/name";
    EXPECT_TRUE(Check());

    s = RenameSettings();
    s.m_bChangeName = 0;
    s.m_bChangeExt = 1;
    s.m_strNewExt = "t?t";
    EXPECT_TRUE(Check());
    s.m_bFilesOnly = 0;
    s.m_bFoldersOnly = 1;
    EXPECT_FALSE(Check());  // folders never take an extension
}

TEST_F(ForbiddenInNewNames, ReplacementCountsOnlyWhenItCanMatch) {
    s.m_bChangeName = 0;
    s.m_bReplaceText = 1;
    s.m_strReplace = "<x>";
    EXPECT_FALSE(Check());  // an empty search text renames nothing
    s.m_strFind = "a";
    EXPECT_TRUE(Check());
    s.m_bFilesOnly = 0;
    s.m_bFoldersOnly = 1;
    EXPECT_TRUE(Check());
    s.m_bFoldersOnly = 0;
    EXPECT_FALSE(Check());  // no kind chosen: nothing is renamed
}
