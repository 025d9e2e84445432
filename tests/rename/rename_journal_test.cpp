// The journal reader over damaged and cut-short journals, and names that hold the
// format's own separators read back whole.
#include "rename/rename_journal.h"

#include <gtest/gtest.h>

namespace {

const std::string kHead = "quillet-rename-journal 1\nfolder\t/f\n";

struct JournalRow {
    const char* what;
    std::string text;
    size_t records;  // read when badLine is 0
    size_t badLine;
};

class JournalReader : public testing::TestWithParam<JournalRow> {};

TEST_P(JournalReader, ReadsWhatIsWholeAndNamesTheFirstDamagedLine) {
    rename_journal::Journal journal;
    size_t badLine = 99;
    const bool ok = rename_journal::Read(GetParam().text, journal, badLine);
    EXPECT_EQ(GetParam().badLine == 0, ok);
    EXPECT_EQ(GetParam().badLine, badLine);
    if (ok) EXPECT_EQ(GetParam().records, journal.records.size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JournalReader,
    testing::Values(
        JournalRow{"two renames", kHead + "rename\t1\t2\ta\tb\nrename\t1\t3\tc\t%25\n", 2, 0},
        JournalRow{"no rename yet", kHead, 0, 0},
        JournalRow{"a last line a kill cut short", kHead + "rename\t1\t2\ta\tb\nrename\t1\t3\tc", 1,
                   0},
        JournalRow{"empty", "", 0, 1},
        JournalRow{"cut inside the folder line", "quillet-rename-journal 1\nfolder\t/f", 0, 2},
        JournalRow{"another format", "quillet-rename-journal 2\nfolder\t/f\n", 0, 1},
        JournalRow{"no folder", "quillet-rename-journal 1\nfolder\t\n", 0, 2},
        JournalRow{"a field too few", kHead + "rename\t1\t2\ta\n", 0, 3},
        JournalRow{"a field too many", kHead + "rename\t1\t2\ta\tb\tc\n", 0, 3},
        JournalRow{"an identity that is no number", kHead + "rename\t1\tx\ta\tb\n", 0, 3},
        JournalRow{"an identity past 64 bits", kHead + "rename\t1\t18446744073709551616\ta\tb\n", 0,
                   3},
        JournalRow{"an empty name", kHead + "rename\t1\t2\t\tb\n", 0, 3},
        JournalRow{"a bad escape", kHead + "rename\t1\t2\ta%2\tb\n", 0, 3},
        JournalRow{"a lowercase escape", kHead + "rename\t1\t2\ta%0a\tb\n", 0, 3},
        JournalRow{"a raw control byte", kHead + "rename\t1\t2\ta\rb\tb\n", 0, 3},
        JournalRow{"an unknown line", kHead + "rename\t1\t2\ta\tb\nundo\n", 0, 4}),
    [](const testing::TestParamInfo<JournalRow>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) name += isalnum(*p & 0xFF) ? *p : '_';
        return name;
    });

TEST(JournalReader, NamesWithSeparatorsAndAnyBytesReadBackWhole) {
    const rename_journal::Record written = {
        {18446744073709551615ull, 7}, "a\tb\nc%41\r.txt", std::string("\x01\x7F\xFF\xC3", 4)};
    rename_journal::Journal journal;
    size_t badLine = 0;
    ASSERT_TRUE(rename_journal::Read(
        rename_journal::Header("/x\n\t%") + rename_journal::Line(written), journal, badLine));
    EXPECT_EQ("/x\n\t%", journal.folder);
    ASSERT_EQ(1u, journal.records.size());
    EXPECT_EQ(written.identity, journal.records[0].identity);
    EXPECT_EQ(written.oldName, journal.records[0].oldName);
    EXPECT_EQ(written.newName, journal.records[0].newName);
}

}  // namespace
