// The journal reader over damaged and cut-short journals, and names that hold the
// format's own separators read back whole.
#include "rename/rename_journal.h"

#include <gtest/gtest.h>

namespace {

const std::string kHead = "quillet-rename-journal 2\nfolder\t1\t2\td\t0\t0\t0\t/f\n";
// A renamed entry's identity fields, each field with its tab.
const std::string kId = "1\t2\tf\t3\t4\t5\t";
const std::string kRename = "rename\t" + kId;

// A backslash is a separator on Windows only.
#ifdef _WIN32
constexpr size_t kBackslashLine = 3;
#else
constexpr size_t kBackslashLine = 0;
#endif

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
    if (ok) {
        EXPECT_EQ(GetParam().records, journal.records.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JournalReader,
    testing::Values(
        JournalRow{"two renames", kHead + kRename + "a\tb\n" + kRename + "c\t%25\n", 2, 0},
        JournalRow{"no rename yet", kHead, 0, 0},
        JournalRow{"a last line a kill cut short", kHead + kRename + "a\tb\n" + kRename + "c", 1,
                   0},
        JournalRow{"empty", "", 0, 1},
        JournalRow{"cut inside the folder line", kHead.substr(0, kHead.size() - 1), 0, 2},
        JournalRow{"the first format", "quillet-rename-journal 1\nfolder\t/f\n", 0, 1},
        JournalRow{"another format", "quillet-rename-journal 3\n" + kHead.substr(25), 0, 1},
        JournalRow{"no folder", "quillet-rename-journal 2\nfolder\t1\t2\td\t0\t0\t0\t\n", 0, 2},
        JournalRow{"a folder without identity", "quillet-rename-journal 2\nfolder\t/f\n", 0, 2},
        JournalRow{"a field too few", kHead + kRename + "a\n", 0, 3},
        JournalRow{"a field too many", kHead + kRename + "a\tb\tc\n", 0, 3},
        JournalRow{"an identity that is no number", kHead + "rename\t1\tx\tf\t3\t4\t5\ta\tb\n", 0,
                   3},
        JournalRow{"an identity past 64 bits",
                   kHead + "rename\t1\t18446744073709551616\tf\t3\t4\t5\ta\tb\n", 0, 3},
        JournalRow{"an unknown kind", kHead + "rename\t1\t2\tl\t3\t4\t5\ta\tb\n", 0, 3},
        JournalRow{"an empty name", kHead + kRename + "\tb\n", 0, 3},
        JournalRow{"a bad escape", kHead + kRename + "a%2\tb\n", 0, 3},
        JournalRow{"a lowercase escape", kHead + kRename + "a%0a\tb\n", 0, 3},
        JournalRow{"a raw control byte", kHead + kRename + "a\rb\tb\n", 0, 3},
        JournalRow{"an old name out of the folder", kHead + kRename + "../x\tb\n", 0, 3},
        JournalRow{"an escaped slash", kHead + kRename + "a\tsub%2Fb\n", 0, 3},
        JournalRow{"a NUL that would cut the name", kHead + kRename + "a%00.txt\tb\n", 0, 3},
        JournalRow{"the folder itself", kHead + kRename + ".\tb\n", 0, 3},
        JournalRow{"the folder above", kHead + kRename + "a\t..\n", 0, 3},
        JournalRow{"a backslash", kHead + kRename + "a\\b\tb\n", 1, kBackslashLine},
        JournalRow{"an unknown line", kHead + kRename + "a\tb\nundo\n", 0, 4}),
    [](const testing::TestParamInfo<JournalRow>& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) name += isalnum(*p & 0xFF) ? *p : '_';
        return name;
    });

TEST(JournalReader, NamesWithSeparatorsAndAnyBytesReadBackWhole) {
    const rename_journal::Record written = {{18446744073709551615ull, 7, false, 1, 2, 3},
                                            "a\tb\nc%41\r.txt",
                                            std::string("\x01\x7F\xFF\xC3", 4)};
    const folder::FileIdentity folderId = {4, 5, true, 6, 7, 0};
    rename_journal::Journal journal;
    size_t badLine = 0;
    ASSERT_TRUE(rename_journal::Read(
        rename_journal::Header("/x\n\t%", folderId) + rename_journal::Line(written), journal,
        badLine));
    EXPECT_EQ("/x\n\t%", journal.folder);
    EXPECT_EQ(folderId.created, journal.folderIdentity.created);
    EXPECT_TRUE(journal.folderIdentity.isDirectory);
    ASSERT_EQ(1u, journal.records.size());
    EXPECT_EQ(written.identity.size, journal.records[0].identity.size);
    EXPECT_EQ(written.identity.modified, journal.records[0].identity.modified);
    EXPECT_EQ(written.identity, journal.records[0].identity);
    EXPECT_EQ(written.oldName, journal.records[0].oldName);
    EXPECT_EQ(written.newName, journal.records[0].newName);
}

}  // namespace
