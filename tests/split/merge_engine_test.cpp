#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/file_exception.h"
#include "split/piece_format.h"
#include "split/repair.h"
#include "split/series_checksums.h"
#include "split/split_texts.h"
#include "split_fixture.h"

namespace {

namespace fs = std::filesystem;

class MergeEngineTest : public SplitMergeTest {};

struct RoundTrip {
    const char* what;
    size_t length;
    int32_t parts;  // 0: by chunk size
    float chunkMB;
    uint64_t pieces;
    bool checksums = false;  // the checksum file and the spare lie beside the pieces
};

TEST_F(MergeEngineTest, RoundTripsByteForByte) {
    const RoundTrip cases[] = {
        {"one byte", 1, 1, 2.0f, 1},
        {"exact multiple", 3 * 1048576, 0, 1.0f, 3},
        {"exactly one chunk", 2097152, 0, 2.0f, 1},
        {"twelve pieces, listed 0 1 10 11 2 ...", 12 * 1001, 12, 2.0f, 12},
        {"more pieces than the size table", 1100, 1100, 2.0f, 1100},
        // "spt" in the folder makes both of them candidates, whatever the listing's order.
        {"checksum file and spare beside, spt in the folder", 12 * 1001, 12, 2.0f, 12, true},
    };
    int n = 0;
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = (c.checksums ? "spt" : "src") + std::to_string(n++) + ".dat";
        const std::string bytes = Pattern(c.length, n);
        checks = {c.checksums, c.checksums};
        SplitFields f = SplitNew(name, bytes, c.parts, c.chunkMB);
        ASSERT_EQ(fs::exists(f.m_strTargetFolder + name + ".parity"), c.checksums);
        Recorder notify;
        // Any piece of the series will do; take one from the middle.
        ASSERT_TRUE(Merge(PieceName(f, c.pieces / 2), dir.Join(name + ".out"), notify).ok());
        EXPECT_EQ(dir.ReadFile(name + ".out"), bytes);
        EXPECT_EQ(state.m_arrPieces.size(), c.pieces);
        EXPECT_EQ(state.m_arrPieces.back(), PieceName(f, c.pieces - 1));
        EXPECT_EQ(state.m_arrMorePieceSizes.size(), c.pieces > 1024 ? c.pieces - 1024 : 0);
        EXPECT_EQ(notify.Calls().back(), "wait off");
        EXPECT_EQ(notify.Calls()[notify.Calls().size() - 2], "open " + dir.path());
    }
}

TEST_F(MergeEngineTest, WorkedExampleProgress) {
    SplitFields f = SplitNew("movie.avi", Pattern(5000000));
    Recorder notify;
    ASSERT_TRUE(Merge(PieceName(f, 2), dir.Join("joined.avi"), notify).ok());
    std::vector<std::string> expected = {"wait on", "range 1 488"};
    for (int p = 1; p <= 489; ++p) expected.push_back("pos " + std::to_string(p));
    expected.push_back("open " + dir.path());
    expected.push_back("wait off");
    EXPECT_EQ(notify.events, expected);
    EXPECT_EQ(state.m_nTotalSize, 5000000u);
    EXPECT_EQ(g_nPieceSize[2], 805696u);
}

// The rows of the failure table: nothing merged, and the output as the table says.
TEST_F(MergeEngineTest, FailuresLeaveTheOutputAsTheyFoundIt) {
    SplitFields f = SplitNew("s.bin", Pattern(20000), 3);
    SplitFields g = SplitNew("t.bin", Pattern(20000), 2);
    dir.WriteFile("not-a-piece.spt", "hello");
    const std::string out = dir.Join("out.bin");
    struct Case {
        std::string piece, folder, output;
        const char* message;  // nullptr: silent
        bool outputEmpty;     // false: not even created
    };
    const Case cases[] = {
        {PieceName(f, 0), f.m_strTargetFolder, "ab", nullptr, false},
        {PieceName(f, 0), "", dir.Join("no/such/folder/x"), nullptr, false},
        {dir.Join("not-a-piece.spt"), dir.path(), out, split_text::kWrongFile, true},
        {"", "", out, split_text::kWrongFile, true},
        {PieceName(f, 0), dir.Join("missing"), out, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.piece + " -> " + c.output);
        fs::remove(out);
        Recorder notify;
        MergeFields fields{c.piece, c.folder, c.output, path::FolderOf(c.output)};
        EXPECT_FALSE(MergeEngine(fields, state, notify).MergePieces().ok());
        std::vector<std::string> expected = {"wait on", "wait off"};
        if (c.message) expected.insert(expected.begin() + 1, std::string("message ") + c.message);
        EXPECT_EQ(notify.events, expected);
        EXPECT_EQ(fs::exists(out), c.outputEmpty);
        EXPECT_TRUE(!c.outputEmpty || fs::file_size(out) == 0);
    }

    // One piece short, then two series in one folder.
    fs::remove(PieceName(f, 1));
    Recorder missing;
    EXPECT_EQ(Merge(PieceName(f, 0), out, missing).reason, split_text::kMissingPieces);
    EXPECT_EQ(missing.events[1], std::string("message ") + split_text::kMissingPieces);
    fs::copy_file(PieceName(g, 0), f.m_strTargetFolder + "other0.spt");
    fs::copy_file(PieceName(g, 1), f.m_strTargetFolder + "other1.spt");
    Recorder tooMany;
    EXPECT_EQ(Merge(f.m_strTargetFolder + "other0.spt", out, tooMany).reason,
              split_text::kTooManyPieces);
    EXPECT_EQ(fs::file_size(out), 0u);
}

TEST_F(MergeEngineTest, AStopRemovesTheUnfinishedOutputAndLeavesThePieces) {
    const std::string bytes = Pattern(5000000);
    SplitFields f = SplitNew("m.bin", bytes);
    const std::string piece1 = Read(PieceName(f, 1));
    Recorder notify;
    notify.stopAtPos = 300;
    const Outcome outcome = Merge(PieceName(f, 0), dir.Join("m.out"), notify);
    EXPECT_EQ(outcome.status, Outcome::kStopped);
    EXPECT_FALSE(fs::exists(dir.Join("m.out")));
    EXPECT_NE(outcome.reason.find(dir.Join("m.out")), std::string::npos);
    EXPECT_EQ(Read(PieceName(f, 1)), piece1);
    EXPECT_EQ(notify.Calls().back(), "wait off");
}

TEST_F(MergeEngineTest, OutputThatIsAPieceIsRefusedUntouched) {
    const std::string bytes = Pattern(30000);
    SplitFields f = SplitNew("p.bin", bytes, 3);
    const std::string before = Read(PieceName(f, 1));
    for (uint64_t output : {1, 2}) {
        Recorder notify;
        EXPECT_EQ(Merge(PieceName(f, 1), PieceName(f, output), notify).reason,
                  split_text::kOutputIsPiece);
        EXPECT_EQ(notify.events[1], std::string("message ") + split_text::kOutputIsPiece);
    }
    EXPECT_EQ(Read(PieceName(f, 1)), before);
    EXPECT_EQ(fs::file_size(PieceName(f, 2)), before.size());
    // An ordinary file beside the pieces may be replaced.
    dir.WriteFile("p/p.bin.spt", "old");
    Recorder notify;
    EXPECT_TRUE(Merge(PieceName(f, 0), f.m_strTargetFolder + "p.bin.spt", notify).ok());
    EXPECT_EQ(Read(f.m_strTargetFolder + "p.bin.spt"), bytes);
}

// A piece that vanished or shrank after the scan stops the merge with its file error.
TEST_F(MergeEngineTest, PieceLostAfterTheScanIsAFileError) {
    struct Case {
        bool vanish;
        CFileException::Cause cause;
        size_t kept;
    };
    int n = 0;
    for (const Case& c : {Case{true, CFileException::fileNotFound, 20000},
                          Case{false, CFileException::endOfFile, 25000}}) {
        const std::string name = "q" + std::to_string(n++) + ".bin";
        const std::string bytes = Pattern(30000, n);
        SplitFields f = SplitNew(name, bytes, 3);
        const std::string last = PieceName(f, 2);
        Recorder notify;
        notify.onRange = [&] {
            if (c.vanish) fs::remove(last);
            if (!c.vanish) fs::resize_file(last, fs::file_size(last) - 5000);
        };
        try {
            Merge(PieceName(f, 0), dir.Join(name + ".out"), notify);
            FAIL() << "no file error";
        } catch (const CFileException& e) {
            EXPECT_EQ(e.m_cause, c.cause);
            EXPECT_EQ(e.m_strFileName, last);
        }
        EXPECT_EQ(dir.ReadFile(name + ".out"), bytes.substr(0, c.kept));
        EXPECT_EQ(notify.Calls().back(), "wait off");
    }
}

TEST_F(MergeEngineTest, PieceRewrittenAfterTheScanWithAnotherCountStillJoinsEveryPiece) {
    const std::string bytes = Pattern(30000, 7);
    SplitFields f = SplitNew("r.bin", bytes, 3);
    const std::string first = PieceName(f, 0);
    Recorder notify;
    notify.onRange = [&] {
        std::fstream piece(first, std::ios::in | std::ios::out | std::ios::binary);
        piece.seekp(2);  // "0\n3\n...": the count now says the series has one piece
        piece.put('1');
    };
    ASSERT_TRUE(Merge(first, dir.Join("r.out"), notify).ok());
    EXPECT_EQ(dir.ReadFile("r.out"), bytes);
}

// Piece i missing or damaged comes back byte for byte; two lost, or a damaged spare,
// leave the folder as it was.
TEST_F(MergeEngineTest, RepairRebuildsOneLostPieceFromTheSpare) {
    const std::string bytes = Pattern(4 * 1000 - 7, 9);
    checks.spare = true;
    SplitFields f = SplitNew("v.bin", bytes, 4);
    const std::string checksumFile = f.m_strTargetFolder + "v.bin.sha256";
    std::vector<std::string> pieces;
    for (uint64_t i = 0; i < 4; ++i) pieces.push_back(Read(PieceName(f, i)));
    const auto Damage = [&](uint64_t i, bool remove) {
        if (remove) {
            fs::remove(PieceName(f, i));
        } else {
            std::string changed = pieces[i];
            changed[changed.size() / 2] ^= 1;
            std::ofstream(PieceName(f, i), std::ios::binary) << changed;
            // Damage that came with the disk, not with an edit after the split.
            fs::last_write_time(PieceName(f, i), fs::last_write_time(checksumFile));
        }
    };
    for (uint64_t i = 0; i < 4; ++i) {
        for (bool remove : {true, false}) {
            SCOPED_TRACE(std::to_string(i) + (remove ? " missing" : " damaged"));
            Damage(i, remove);
            EXPECT_EQ(RepairSeries(PieceName(f, (i + 1) % 4)).result, RepairReport::kRebuilt);
            EXPECT_EQ(Read(PieceName(f, i)), pieces[i]);
        }
    }
    const auto Listing = [&] {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(f.m_strTargetFolder)) {
            names.insert(e.path().filename().string() + ":" + std::to_string(e.file_size()));
        }
        return names;
    };
    Damage(0, true);
    Damage(2, false);
    const std::set<std::string> before = Listing();
    EXPECT_EQ(RepairSeries(PieceName(f, 1)).result, RepairReport::kTooMany);
    EXPECT_EQ(Listing(), before);
    std::ofstream(PieceName(f, 2), std::ios::binary) << pieces[2];
    const std::string spare = f.m_strTargetFolder + "v.bin.parity";
    std::fstream(spare, std::ios::in | std::ios::out | std::ios::binary)
        .seekp(-1, std::ios::end)
        .put('!');
    EXPECT_EQ(RepairSeries(PieceName(f, 1)).result, RepairReport::kSpareDamaged);
    EXPECT_FALSE(fs::exists(PieceName(f, 0)));
}

}  // namespace
