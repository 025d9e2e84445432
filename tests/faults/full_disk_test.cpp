// A disk that fills up: out of bytes in the middle of a file, or out of room for
// another file. Whatever was finished stays; nothing is reported as done.
#include <gtest/gtest.h>

#include "common/fault_setup.h"
#include "faults/fault_checks.h"
#include "faults/scratch_disk.h"
#include "split/piece_format.h"
#include "split/series_checksums.h"
#include "split/split_fixture.h"

namespace {

// 300,000 bytes in three parts: three pieces of 100,000 bytes, more than the small
// disk holds, while two of them fit.
constexpr size_t kSourceBytes = 300000;
constexpr uint64_t kPieceBytes = 100000;

class FaultFullDisk : public SplitMergeTest {
  protected:
    std::string PieceBytes(const std::string& source, uint64_t i) const {
        return WritePieceHeader(i, 3, kPieceBytes, kPieceBytes) +
               source.substr(i * kPieceBytes, kPieceBytes);
    }
};

TEST_F(FaultFullDisk, SplitKeepsThePiecesBeforeTheOneThatDoesNotFit) {
    struct Case {
        DiskKind disk;
        bool lastPieceBegun;  // false: there was no room to create it
    };
    for (const Case& c : {Case{DiskKind::kSmall, true}, Case{DiskKind::kFewFiles, false}}) {
        SCOPED_TRACE(c.lastPieceBegun ? "out of bytes" : "out of room for files");
        ScratchDisk disk(c.disk);
        REQUIRE_FAULT_SETUP(disk.why());
        source.Close();
        const std::string bytes = Pattern(kSourceBytes);
        dir.WriteFile("full.bin", bytes);
        SplitFields f = FieldsFor("full.bin");
        f.m_strTargetFolder = disk.Join("pieces") + path::kSeparator;
        f.m_nMode = 0;
        f.m_nPartCount = 3;
        Recorder notify;

        EXPECT_EQ(FileErrorText([&] { Split(f, notify); }), DiskFullText(PieceName(f, 2)));
        std::vector<std::string> names = {"full0.bin.spt", "full1.bin.spt"};
        if (c.lastPieceBegun) names.push_back("full2.bin.spt");
        EXPECT_EQ(NamesIn(disk.Join("pieces")), names);
        EXPECT_EQ(ReadBytes(PieceName(f, 0)), PieceBytes(bytes, 0));
        EXPECT_EQ(ReadBytes(PieceName(f, 1)), PieceBytes(bytes, 1));
        if (c.lastPieceBegun) {
            // What reached the disk is the start of the piece, never anything else.
            const std::string begun = ReadBytes(PieceName(f, 2));
            const std::string whole =
                WritePieceHeader(2, 3, kPieceBytes, kPieceBytes) + bytes.substr(2 * kPieceBytes);
            EXPECT_LT(begun.size(), whole.size());
            EXPECT_EQ(begun, whole.substr(0, begun.size()));
        }
        EXPECT_EQ(notify.Calls(),
                  (std::vector<std::string>{"update", "wait on", "range 1 29", "wait off"}));
        // The source stays open, so the split can be tried again once there is room.
        EXPECT_TRUE(source.IsOpen());
    }
}

TEST_F(FaultFullDisk, MergeKeepsWhatFitAndNamesTheOutput) {
    ScratchDisk disk(DiskKind::kSmall);
    REQUIRE_FAULT_SETUP(disk.why());
    const std::string bytes = Pattern(kSourceBytes);
    SplitFields f = SplitNew("whole.bin", bytes, 3);
    const std::string out = disk.Join("joined.bin");
    Recorder notify;

    EXPECT_EQ(FileErrorText([&] { Merge(PieceName(f, 0), out, notify); }), DiskFullText(out));
    EXPECT_EQ(NamesIn(disk.path()), std::vector<std::string>{"joined.bin"});
    const std::string kept = ReadBytes(out);
    EXPECT_GT(kept.size(), 2 * kPieceBytes);
    EXPECT_LT(kept.size(), bytes.size());
    EXPECT_EQ(kept, bytes.substr(0, kept.size()));
    for (uint64_t i = 0; i < 3; ++i) EXPECT_EQ(ReadBytes(PieceName(f, i)), PieceBytes(bytes, i));
    EXPECT_EQ(notify.Calls(), (std::vector<std::string>{"wait on", "range 1 29", "wait off"}));
}

// An output that cannot be created ends the merge without a word.
TEST_F(FaultFullDisk, MergeWithNoRoomForTheOutputCreatesNothing) {
    ScratchDisk disk(DiskKind::kFewFiles);
    REQUIRE_FAULT_SETUP(disk.why());
    for (const char* name : {"a", "b", "c"}) WriteBytes(disk.Join(name), name);
    SplitFields f = SplitNew("whole.bin", Pattern(kSourceBytes), 3);
    Recorder notify;

    Outcome outcome = Merge(PieceName(f, 0), disk.Join("joined.bin"), notify);
    EXPECT_EQ(outcome.status, Outcome::kFailed);
    EXPECT_EQ(notify.events, (std::vector<std::string>{"wait on", "wait off"}));
    EXPECT_EQ(NamesIn(disk.path()), (std::vector<std::string>{"a", "b", "c"}));
}

// Two pieces fit, their spare does not: neither it nor the checksum file appears, not
// even in part, and no temporary is left.
TEST_F(FaultFullDisk, SpareThatDoesNotFitLeavesNeitherFile) {
    ScratchDisk disk(DiskKind::kSmall);
    REQUIRE_FAULT_SETUP(disk.why());
    source.Close();
    dir.WriteFile("s.bin", Pattern(2 * kPieceBytes));
    SplitFields f = FieldsFor("s.bin");
    f.m_strTargetFolder = disk.Join("pieces") + path::kSeparator;
    f.m_nMode = 0;
    f.m_nPartCount = 2;
    checks.spare = true;
    Recorder notify;
    EXPECT_NE(FileErrorText([&] { Split(f, notify); }), "");
    EXPECT_EQ(NamesIn(disk.Join("pieces")), (std::vector<std::string>{"s0.bin.spt", "s1.bin.spt"}));
}

}  // namespace
