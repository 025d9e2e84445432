// Piece folders that hold more than one series: other pieces, folders and files whose
// names look like pieces. The merge must neither take them nor harm them.
#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "faults/fault_checks.h"
#include "platform/text.h"
#include "split/piece_format.h"
#include "split/split_fixture.h"
#include "split/split_texts.h"

namespace {

namespace fs = std::filesystem;

// 30,000 bytes in three parts: pieces of 10,000 bytes.
constexpr size_t kSourceBytes = 30000;

bool IsLastCandidate(const std::string& folderPath, const std::string& name) {
    std::vector<folder::Entry> entries;
    folder::List(folderPath, entries);
    std::string last;
    for (const folder::Entry& e : entries) {
        if (text::Find(e.name, "spt") != std::string::npos) last = e.name;
    }
    return last == name;
}

// The merge keeps the values of the header it read last, so where the listing puts a
// file decides what it does. Renames the file until the listing puts it last (or
// anywhere else) and returns its name then.
std::string PlaceInListing(const std::string& folderPath, const std::string& name, bool last) {
    std::string current = name;
    for (int k = 0; k < 520; ++k) {
        if (IsLastCandidate(folderPath, current) == last) return current;
        std::string next =
            std::string(1, static_cast<char>('a' + k % 26)) + std::to_string(k) + "-" + name;
        fs::rename(folderPath + path::kSeparator + current, folderPath + path::kSeparator + next);
        current = next;
    }
    ADD_FAILURE() << "the listing never put " << name << (last ? " last" : " before the end");
    return current;
}

class FaultPieceFolder : public SplitMergeTest {
  protected:
    void SetUp() override {
        bytes = Pattern(kSourceBytes);
        f = SplitNew("s.bin", bytes, 3);
        folderPath = path::FolderOf(PieceName(f, 0));
        for (uint64_t i = 0; i < 3; ++i) pieces.push_back(ReadBytes(PieceName(f, i)));
    }
    std::string InFolder(const std::string& name) const {
        return folderPath + path::kSeparator + name;
    }
    void ExpectPiecesUnchanged() const {
        for (uint64_t i = 0; i < 3; ++i) EXPECT_EQ(ReadBytes(PieceName(f, i)), pieces[i]);
    }

    std::string bytes;
    SplitFields f;
    std::string folderPath;
    std::vector<std::string> pieces;
};

// A file whose name holds "spt" and which starts with numbers fails the magic test,
// but the numbers it gave stay in the merge state; read last, its count is the one
// the pieces found are compared with.
TEST_F(FaultPieceFolder, NumbersOfANonPieceCountWhenItIsReadLast) {
    struct Case {
        const char* what;
        const char* content;
        bool last;
        const char* message;  // nullptr: silent
        bool merged;
    };
    const Case cases[] = {
        {"count 5, read last", "7\n5\nabc", true, split_text::kMissingPieces, false},
        {"count 2, read last", "0 2 9 9 qkvspt", true, nullptr, false},
        {"count 3, read last", "1 3 10000 10000\n", true, nullptr, true},
        {"count 5, read before a piece", "7\n5\nabc", false, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(InFolder("notes.spt"), c.content);
        const std::string name = PlaceInListing(folderPath, "notes.spt", c.last);
        const std::string out = dir.Join("s.out");
        Recorder notify;

        Outcome outcome = Merge(PieceName(f, 0), out, notify);
        EXPECT_EQ(outcome.ok(), c.merged);
        EXPECT_EQ(ReadBytes(out), c.merged ? bytes : "");
        std::vector<std::string> calls = {"wait on", "wait off"};
        if (c.message) calls.insert(calls.begin() + 1, std::string("message ") + c.message);
        if (c.merged) calls = {"wait on", "range 1 2", "open " + dir.path(), "wait off"};
        EXPECT_EQ(notify.Calls(), calls);
        EXPECT_EQ(ReadBytes(InFolder(name)), c.content);
        ExpectPiecesUnchanged();
        fs::remove(InFolder(name));
    }
    // The values it left: index 7, count 5, and a chunk size of 0 for "abc"; the data
    // size is the one of the piece read before it.
    WriteBytes(InFolder("notes.spt"), "7\n5\nabc");
    PlaceInListing(folderPath, "notes.spt", true);
    Recorder notify;
    Merge(PieceName(f, 0), dir.Join("s.out"), notify);
    EXPECT_EQ(state.m_nPieceIndex, 7u);
    EXPECT_EQ(state.m_nPieceCount, 5u);
    EXPECT_EQ(state.m_nChunkSize, 0u);
    EXPECT_EQ(state.m_nDataSize, 10000u);
}

// Entries that are no files: a sub-folder (holding a piece of its own) and, where the
// system has them, a named pipe that would block a reader and a link to itself.
TEST_F(FaultPieceFolder, EntriesNamedLikePiecesButNoFilesAreNeverTaken) {
    fs::create_directory(InFolder("s3.bin.spt"));
    fs::copy_file(PieceName(f, 0), InFolder("s3.bin.spt") + path::kSeparator + "s0.bin.spt");
#ifndef _WIN32
    ASSERT_EQ(mkfifo(InFolder("pipe.spt").c_str(), 0600), 0);
    fs::create_symlink("loop.spt", InFolder("loop.spt"));
#endif
    Recorder merged;
    EXPECT_TRUE(Merge(PieceName(f, 1), dir.Join("s.out"), merged).ok());
    EXPECT_EQ(ReadBytes(dir.Join("s.out")), bytes);
    EXPECT_EQ(state.m_arrPieces.size(), 3u);

    // Chosen as the piece itself, it is no piece at all.
    Recorder chosen;
    EXPECT_EQ(Merge(InFolder("s3.bin.spt"), dir.Join("s.out"), chosen).reason,
              split_text::kWrongFile);
    EXPECT_EQ(ReadBytes(dir.Join("s.out")), "");
    EXPECT_EQ(NamesIn(InFolder("s3.bin.spt")), std::vector<std::string>{"s0.bin.spt"});
    ExpectPiecesUnchanged();
}

// More valid pieces than any count: the merge stops without a word.
TEST_F(FaultPieceFolder, TwoWholeSeriesMergeNothingSilently) {
    SplitFields g = SplitNew("t.bin", Pattern(20000, 7), 2);
    for (uint64_t i = 0; i < 2; ++i)
        fs::copy_file(PieceName(g, i), InFolder("t" + std::to_string(i) + ".bin.spt"));
    for (uint64_t chosen : {0, 2}) {
        Recorder notify;
        EXPECT_EQ(Merge(PieceName(f, chosen), dir.Join("s.out"), notify).reason,
                  split_text::kTooManyPieces);
        EXPECT_EQ(notify.events, (std::vector<std::string>{"wait on", "wait off"}));
        EXPECT_EQ(ReadBytes(dir.Join("s.out")), "");
    }
    EXPECT_EQ(NamesIn(folderPath),
              (std::vector<std::string>{"s.bin.sha256", "s0.bin.spt", "s1.bin.spt", "s2.bin.spt",
                                        "t0.bin.spt", "t1.bin.spt"}));
    ExpectPiecesUnchanged();
}

// Creating the output empties it, so a piece named another way must still be refused.
TEST_F(FaultPieceFolder, OutputThatIsAPieceUnderAnotherNameIsRefused) {
    const std::string sep(1, path::kSeparator);
    fs::create_hard_link(PieceName(f, 1), dir.Join("alias.bin"));
    std::vector<std::string> outputs = {folderPath + sep + "." + sep + "s1.bin.spt",
                                        dir.Join("s") + sep + ".." + sep + "s" + sep + "s2.bin.spt",
                                        dir.Join("alias.bin")};
#ifndef _WIN32
    fs::create_symlink(PieceName(f, 2), dir.Join("link.bin"));
    outputs.push_back(dir.Join("link.bin"));
#endif
    for (const std::string& out : outputs) {
        SCOPED_TRACE(out);
        Recorder notify;
        EXPECT_EQ(Merge(PieceName(f, 0), out, notify).reason, split_text::kOutputIsPiece);
        EXPECT_EQ(
            notify.events,
            (std::vector<std::string>{
                "wait on", std::string("message ") + split_text::kOutputIsPiece, "wait off"}));
    }
    ExpectPiecesUnchanged();
}

}  // namespace
