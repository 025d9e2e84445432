// A target on a read-only disk: the system refuses every new entry and every change,
// and the disk must come out of each run exactly as it went in.
#include <gtest/gtest.h>

#include "common/fault_setup.h"
#include "faults/fault_checks.h"
#include "faults/scratch_disk.h"
#include "rename/rename_engine.h"
#include "split/split_fixture.h"
#include "split/split_texts.h"

namespace {

class FaultReadOnly : public SplitMergeTest {
  protected:
    void ExpectDiskUnchanged(const ScratchDisk& disk) {
        EXPECT_EQ(NamesIn(disk.path()), std::vector<std::string>{"kept"});
        EXPECT_EQ(NamesIn(disk.Join("kept")), std::vector<std::string>{"a.txt"});
        EXPECT_EQ(ReadBytes(disk.Join("kept") + path::kSeparator + "a.txt"), "a");
    }
};

// The folder cannot be made, which the split takes for "it exists": the user decides.
// On Yes the first piece cannot be created: in a folder that is not there, its path
// is bad; in one that is, access to it is denied.
TEST_F(FaultReadOnly, SplitAsksAndThenStopsAtTheFirstPiece) {
    ScratchDisk disk(DiskKind::kReadOnly);
    REQUIRE_FAULT_SETUP(disk.why());
    dir.WriteFile("r.bin", Pattern(30000));
    for (const char* target : {"new", "kept"}) {
        for (bool yes : {false, true}) {
            SCOPED_TRACE(std::string(target) + (yes ? ", Yes" : ", No"));
            SplitFields f = FieldsFor("r.bin");
            f.m_strTargetFolder = disk.Join(target) + path::kSeparator;
            f.m_nMode = 0;
            f.m_nPartCount = 3;
            Recorder notify;
            notify.answerYes = yes;
            if (!yes) {
                EXPECT_EQ(Split(f, notify).reason, split_text::kFolderNotReused);
            } else if (target == std::string("new")) {
                EXPECT_EQ(FileErrorText([&] { Split(f, notify); }), BadPathText(PieceName(f, 0)));
            } else {
                EXPECT_EQ(FileErrorText([&] { Split(f, notify); }),
                          AccessDeniedText(PieceName(f, 0)));
            }
            std::vector<std::string> calls = {"update", "wait on",
                                              std::string("ask ") + split_text::kFolderExists};
            if (yes) calls.push_back("range 1 2");
            calls.push_back("wait off");
            EXPECT_EQ(notify.Calls(), calls);
            EXPECT_TRUE(source.IsOpen());
            ExpectDiskUnchanged(disk);
        }
    }
}

// An output that cannot be created ends the merge without a word.
TEST_F(FaultReadOnly, MergeCreatesNoOutputAndKeepsAnOldOne) {
    ScratchDisk disk(DiskKind::kReadOnly);
    REQUIRE_FAULT_SETUP(disk.why());
    SplitFields f = SplitNew("m.bin", Pattern(30000), 3);
    const std::string piece0 = ReadBytes(PieceName(f, 0));
    for (const std::string& out :
         {disk.Join("joined.bin"), disk.Join("kept") + path::kSeparator + "a.txt"}) {
        SCOPED_TRACE(out);
        Recorder notify;
        EXPECT_EQ(Merge(PieceName(f, 0), out, notify).status, Outcome::kFailed);
        EXPECT_EQ(notify.events, (std::vector<std::string>{"wait on", "wait off"}));
        ExpectDiskUnchanged(disk);
    }
    EXPECT_EQ(ReadBytes(PieceName(f, 0)), piece0);
}

TEST_F(FaultReadOnly, RenameStopsAtTheFirstEntryUnnamed) {
    ScratchDisk disk(DiskKind::kReadOnly);
    REQUIRE_FAULT_SETUP(disk.why());
    RenameSettings s;
    s.m_strFolder = disk.Join("kept");
    int32_t serial = 0;
    Recorder notify;
    EXPECT_EQ(FileErrorText([&] { RunBatchRename(s, serial, notify); }),
              AccessDeniedText("一未命名文件"));
    EXPECT_TRUE(notify.events.empty());
    ExpectDiskUnchanged(disk);
}

}  // namespace
