// A FAT disk, as on a USB stick, ignores the case of names: a rename that changes only
// the case must still take place, and one onto another entry's name must still fail.
#include <gtest/gtest.h>

#include "common/fault_setup.h"
#include "faults/fault_checks.h"
#include "faults/scratch_disk.h"
#include "rename/rename_engine.h"
#include "rename/rename_undo.h"
#include "split/split_fixture.h"

namespace {

class FaultCaseOnlyRename : public testing::Test {
  protected:
    RenameOutcome Run(RenameSettings& s) {
        s.m_strFolder = disk.path();
        int32_t serial = 0;
        return RunBatchRename(s, serial, notify);
    }

    ScratchDisk disk{DiskKind::kFat};
    Recorder notify;
};

TEST_F(FaultCaseOnlyRename, ExtensionAndReplacementChangeTheCaseOnFat) {
    REQUIRE_FAULT_SETUP(disk.why());
    WriteBytes(disk.Join("IMG.JPG"), "photo");
    WriteBytes(disk.Join("c.jpg"), "c");
    RenameSettings byExtension;
    byExtension.m_bChangeName = 0;
    byExtension.m_bChangeExt = 1;
    byExtension.m_strNewExt = "jpg";
    // c.jpg is renamed onto its own name: it counts for the message, not as renamed.
    EXPECT_EQ(Run(byExtension).renamed, 1u);
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"IMG.jpg", "c.jpg"}));

    RenameSettings byReplacement;
    byReplacement.m_bChangeName = 0;
    byReplacement.m_bReplaceText = 1;
    byReplacement.m_strFind = "c";
    byReplacement.m_strReplace = "C";
    EXPECT_EQ(Run(byReplacement).renamed, 1u);
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"C.jpg", "IMG.jpg"}));
    EXPECT_EQ(ReadBytes(disk.Join("IMG.jpg")), "photo");
    EXPECT_EQ(ReadBytes(disk.Join("C.jpg")), "c");

    // Run again, nothing is left to change.
    EXPECT_EQ(Run(byExtension).renamed, 0u);
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"C.jpg", "IMG.jpg"}));
}

TEST_F(FaultCaseOnlyRename, ANameTakenInAnotherCaseIsStillTaken) {
    REQUIRE_FAULT_SETUP(disk.why());
    WriteBytes(disk.Join("a.txt"), "a");
    WriteBytes(disk.Join("B.txt"), "b");
    RenameSettings s;
    s.m_bChangeName = 0;
    s.m_bReplaceText = 1;
    s.m_strFind = "a";
    s.m_strReplace = "b";
    EXPECT_EQ(FileErrorText([&] { Run(s); }), AccessDeniedText(disk.Join("a.txt")));
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"B.txt", "a.txt"}));
    EXPECT_EQ(ReadBytes(disk.Join("a.txt")), "a");
    EXPECT_EQ(ReadBytes(disk.Join("B.txt")), "b");
}

TEST_F(FaultCaseOnlyRename, TemporaryNamesNeverCollideAndARunAgainFinishesAKilledOne) {
    REQUIRE_FAULT_SETUP(disk.why());
    WriteBytes(disk.Join("IMG.JPG"), "photo");
    WriteBytes(disk.Join("IMG.jpg.quillet-case"), "another");
    WriteBytes(disk.Join("B.jpg.quillet-case"), "b");  // where a kill left B.JPG
    RenameSettings s;
    s.m_bChangeName = 0;
    s.m_bChangeExt = 1;
    s.m_strNewExt = "jpg";
    Run(s);
    EXPECT_EQ(NamesIn(disk.path()),
              (std::vector<std::string>{"B.jpg", "IMG.jpg", "IMG.jpg.quillet-case"}));
    EXPECT_EQ(ReadBytes(disk.Join("IMG.jpg")), "photo");
    EXPECT_EQ(ReadBytes(disk.Join("IMG.jpg.quillet-case")), "another");
    EXPECT_EQ(ReadBytes(disk.Join("B.jpg")), "b");
}

TEST_F(FaultCaseOnlyRename, UndoTakesBackAnEntryAKillLeftUnderATemporaryName) {
    REQUIRE_FAULT_SETUP(disk.why());
    WriteBytes(disk.Join("IMG.jpg.quillet-case"), "photo");
    rename_journal::Journal journal;
    journal.records.push_back({{}, "IMG.JPG", "IMG.jpg"});
    ASSERT_TRUE(folder::Identify(disk.Join("IMG.jpg.quillet-case"), journal.records[0].identity));
    EXPECT_TRUE(UndoRenames(disk.path() + path::kSeparator, journal, false, nullptr).allRestored());
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"IMG.JPG"}));
    EXPECT_EQ(ReadBytes(disk.Join("IMG.JPG")), "photo");
}

}  // namespace
