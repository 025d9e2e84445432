#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "common/folder_names.h"
#include "platform/file_exception.h"
#include "platform/sha256.h"
#include "split/piece_format.h"
#include "split/split_texts.h"
#include "split_fixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Positions(uint64_t first, uint64_t last) {
    std::vector<std::string> events;
    for (uint64_t p = first; p <= last; ++p) events.push_back("pos " + std::to_string(p));
    return events;
}

class SplitEngineTest : public SplitMergeTest {};

TEST_F(SplitEngineTest, WorkedExampleByteForByte) {
    const std::string bytes = Pattern(5000000);
    dir.WriteFile("movie.avi", bytes);
    SplitFields f = FieldsFor("movie.avi");
    Recorder notify;
    // Which piece each progress step belongs to: the newest piece file existing then.
    std::vector<int> pieceOfStep;
    notify.onProgress = [&](uint64_t) {
        int newest = 0;
        while (fs::exists(PieceName(f, newest + 1))) ++newest;
        pieceOfStep.push_back(newest);
    };
    ASSERT_TRUE(Split(f, notify).ok());

    std::vector<std::string> expected = {"update", "wait on", "range 1 488"};
    for (const std::string& p : Positions(1, 489)) expected.push_back(p);
    expected.push_back("open " + f.m_strTargetFolder);
    expected.push_back("wait off");
    EXPECT_EQ(notify.events, expected);
    EXPECT_EQ(std::count(pieceOfStep.begin(), pieceOfStep.end(), 0), 205);
    EXPECT_EQ(std::count(pieceOfStep.begin(), pieceOfStep.end(), 1), 205);
    EXPECT_EQ(std::count(pieceOfStep.begin(), pieceOfStep.end(), 2), 79);

    EXPECT_EQ(Read(f.m_strTargetFolder + "movie0.avi.spt"),
              WritePieceHeader(0, 3, 2097152, 2097152) + bytes.substr(0, 2097152));
    EXPECT_EQ(Read(f.m_strTargetFolder + "movie1.avi.spt"),
              WritePieceHeader(1, 3, 2097152, 2097152) + bytes.substr(2097152, 2097152));
    EXPECT_EQ(Read(f.m_strTargetFolder + "movie2.avi.spt"),
              WritePieceHeader(2, 3, 2097152, 805696) + bytes.substr(4194304));
    EXPECT_FALSE(fs::exists(PieceName(f, 3)));
    EXPECT_FALSE(source.IsOpen());
}

TEST_F(SplitEngineTest, ByPartsNamesAndSizesPieces) {
    dir.WriteFile("README", Pattern(1000));
    SplitFields f = FieldsFor("README");
    f.m_strTargetFolder = dir.Join("pieces") + path::kSeparator;  // README/ is the file itself
    f.m_nMode = 0;
    f.m_nPartCount = 3;
    Recorder byParts;
    ASSERT_TRUE(Split(f, byParts).ok());
    EXPECT_EQ(PieceName(f, 0), f.m_strTargetFolder + "README0..spt");
    EXPECT_EQ(fs::file_size(PieceName(f, 0)), 336u + WritePieceHeader(0, 3, 336, 336).size());
    EXPECT_EQ(fs::file_size(PieceName(f, 2)), 328u + WritePieceHeader(2, 3, 336, 328).size());

    // Under one block: every piece is a single tail block and the range maximum is 0.
    dir.WriteFile("small.bin", Pattern(5000));
    SplitFields small = FieldsFor("small.bin");
    small.m_nMode = 0;
    Recorder notify;
    ASSERT_TRUE(Split(small, notify).ok());
    EXPECT_EQ(notify.events,
              (std::vector<std::string>{"update", "wait on", "range 1 0", "pos 1", "pos 2",
                                        "open " + small.m_strTargetFolder, "wait off"}));
}

// Refusals that leave the folder uncreated and the source open.
TEST_F(SplitEngineTest, RefusalsCreateNothing) {
    struct Case {
        int32_t mode;
        float chunkMB;
        int32_t parts;
        size_t length;
        const char* message;
        bool waitCursor;
    };
    const Case cases[] = {
        {1, 0.5f, 2, 5000000, split_text::kChunkOutOfRange, false},
        {1, 701.0f, 2, 5000000, split_text::kChunkOutOfRange, false},
        {1, NAN, 2, 5000000, split_text::kChunkOutOfRange, false},
        {1, 2.0f, 2, 2097151, split_text::kChunkLargerThanSource, true},
        {1, 2.0f, 2, 0, split_text::kChunkLargerThanSource, true},
        {0, 2.0f, 3, 2, split_text::kChunkLargerThanSource, true},
        {0, 2.0f, 0, 1000, split_text::kNoParts, false},
        {0, 2.0f, -1, 1000, split_text::kNoParts, false},
        {0, 2.0f, 2, 0, split_text::kEmptySourceByParts, false},
    };
    for (const Case& c : cases) {
        source.Close();
        dir.WriteFile("f.bin", Pattern(c.length));
        SplitFields f = FieldsFor("f.bin");
        f.m_nMode = c.mode;
        f.m_fChunkMB = c.chunkMB;
        f.m_nPartCount = c.parts;
        Recorder notify;
        Outcome outcome = Split(f, notify);
        EXPECT_EQ(outcome.status, Outcome::kRefused) << c.message;
        std::vector<std::string> expected = {"update", std::string("message ") + c.message};
        if (c.waitCursor) expected = {"update", "wait on", expected[1], "wait off"};
        EXPECT_EQ(notify.events, expected);
        EXPECT_FALSE(fs::exists(f.m_strTargetFolder));
        EXPECT_TRUE(source.IsOpen());
    }
}

TEST_F(SplitEngineTest, ExistingFolderIsReusedOnlyOnYes) {
    dir.WriteFile("a.txt", Pattern(3000000));
    SplitFields f = FieldsFor("a.txt");
    fs::create_directory(f.m_strTargetFolder);
    dir.WriteFile("a/a0.txt.spt", std::string(3000000, 'x'));
    dir.WriteFile("a/keep.txt", "keep");

    Recorder no;
    EXPECT_EQ(Split(f, no).reason, split_text::kFolderNotReused);
    EXPECT_EQ(no.Calls(), (std::vector<std::string>{"update", "wait on",
                                                    std::string("ask ") + split_text::kFolderExists,
                                                    "wait off"}));
    EXPECT_TRUE(source.IsOpen());
    EXPECT_EQ(dir.ReadFile("a/a0.txt.spt"), std::string(3000000, 'x'));

    // An older series' checksum file that cannot go: refused before any piece.
    fs::create_directory(dir.Join("a/a.txt.sha256"));
    Recorder blocked;
    blocked.answerYes = true;
    EXPECT_EQ(Split(f, blocked).status, Outcome::kRefused);
    EXPECT_EQ(blocked.Calls()[3],
              "message " + split_text::Format(split_text::kCannotClearOld,
                                              f.m_strTargetFolder + "a.txt.sha256"));
    EXPECT_EQ(dir.ReadFile("a/a0.txt.spt"), std::string(3000000, 'x'));
    fs::remove(dir.Join("a/a.txt.sha256"));

    // The older series' files and their temporaries give way to the new ones.
    for (const char* old :
         {"a.txt.sha256", "a.txt.parity", "a.txt.sha256.0.tmp", "a.txt.parity.12.tmp"}) {
        dir.WriteFile(std::string("a/") + old, "old");
    }
    dir.WriteFile("a/a.txt.sha256.x.tmp", "not ours");
    Recorder yes;
    yes.answerYes = true;
    EXPECT_TRUE(Split(f, yes).ok());
    EXPECT_EQ(fs::file_size(PieceName(f, 0)), 2097152u + 28u);  // truncated, then rewritten
    EXPECT_EQ(dir.ReadFile("a/keep.txt"), "keep");
    EXPECT_EQ(NamesIn(f.m_strTargetFolder),
              (std::vector<std::string>{"a.txt.sha256", "a.txt.sha256.x.tmp", "a0.txt.spt",
                                        "a1.txt.spt", "keep.txt"}));
    const std::string lines = dir.ReadFile("a/a.txt.sha256");
    for (int i = 0; i < 2; ++i) {
        const std::string piece = Read(PieceName(f, i));
        Sha256 digest;
        digest.Update(piece.data(), piece.size());
        EXPECT_NE(
            lines.find(Sha256::Hex(digest.Final()) + "  a" + std::to_string(i) + ".txt.spt\n"),
            std::string::npos);
    }
}

TEST_F(SplitEngineTest, FailedExchangeUsesThePreviousChunkSizeOnly) {
    dir.WriteFile("b.bin", Pattern(3000000));
    SplitFields f = FieldsFor("b.bin");
    Recorder first;
    first.exchangeOk = false;
    Outcome outcome = Split(f, first);
    EXPECT_EQ(outcome.reason, split_text::kNoChunkSizeYet);
    EXPECT_EQ(first.events, std::vector<std::string>{"update"});
    EXPECT_FALSE(fs::exists(f.m_strTargetFolder));

    f.m_fChunkBytes = 1048576.0f;  // left by an earlier split
    f.m_fChunkMB = 800.0f;         // what the failed exchange could not check
    Recorder second;
    second.exchangeOk = false;
    EXPECT_TRUE(Split(f, second).ok());
    EXPECT_TRUE(fs::exists(PieceName(f, 2)));
    EXPECT_FALSE(fs::exists(PieceName(f, 3)));
}

TEST_F(SplitEngineTest, SplitWithoutAnOpenSourceRaisesTheUnnamedHandleError) {
    SplitFields f = FieldsFor("none.bin");
    Recorder notify;
    try {
        SplitFile(source, f, notify);
        FAIL() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_lOsError, 6);
        EXPECT_EQ(e.ErrorMessage(), "没有找到 一未命名文件。");
    }
    EXPECT_TRUE(notify.events.empty());
}

// A stop leaves the pieces finished before it, byte for byte, and names them: none beyond
// the piece it was asked in, and at most that one (a system that copies a piece in one
// call finishes it). A stop asked at the very last block comes too late to stop anything.
TEST_F(SplitEngineTest, AStopKeepsOnlyTheWholePiecesAndSaysHowManyAndWhere) {
    const std::string bytes = Pattern(5000000);
    dir.WriteFile("s.bin", bytes);
    // 2 MiB pieces of 205 blocks each, and a last one of 79: steps 1-205, 206-410, 411-489.
    const struct {
        uint64_t stopAt;
        uint64_t kept;
    } rows[] = {{1, 0}, {204, 0}, {205, 1}, {300, 1}, {411, 2}, {489, 3}};  // kept: at least
    for (const auto& row : rows) {
        SCOPED_TRACE("stop at " + std::to_string(row.stopAt));
        SplitFields f = FieldsFor("s.bin");
        fs::remove_all(f.m_strTargetFolder);
        Recorder notify;
        notify.answerYes = true;
        notify.stopAtPos = row.stopAt;
        source.Close();
        const Outcome outcome = Split(f, notify);
        uint64_t kept = 0;
        while (kept < 3 && fs::exists(PieceName(f, kept))) ++kept;
        EXPECT_GE(kept, row.kept);
        EXPECT_LE(kept, row.kept == 3 ? 3 : row.kept + 1);
        for (uint64_t i = 0; i < 3; ++i) {
            const uint64_t size = i < 2 ? 2097152 : 805696;
            if (i < kept) {
                EXPECT_EQ(Read(PieceName(f, i)),
                          WritePieceHeader(i, 3, 2097152, size) + bytes.substr(i * 2097152, size));
            } else {
                EXPECT_FALSE(fs::exists(PieceName(f, i))) << "piece " << i;
            }
        }
        if (kept == 3) {
            EXPECT_TRUE(outcome.ok());
            continue;
        }
        EXPECT_EQ(outcome.status, Outcome::kStopped);
        EXPECT_NE(outcome.reason.find(" " + std::to_string(kept) + " "), std::string::npos);
        EXPECT_NE(outcome.reason.find(f.m_strTargetFolder), std::string::npos);
        EXPECT_EQ(notify.Calls()[notify.Calls().size() - 2], "message " + outcome.reason);
    }
}

// A failed piece or source stops the split with a file error naming that file; the
// pieces before stay complete and the folder is not opened.
TEST_F(SplitEngineTest, FileErrorsStopTheSplitAndKeepEarlierPieces) {
    const std::string bytes = Pattern(5000000);
    dir.WriteFile("c.bin", bytes);
    SplitFields f = FieldsFor("c.bin");
    fs::create_directories(PieceName(f, 1));  // a folder where piece 1 should go
    Recorder blocked;
    blocked.answerYes = true;
    try {
        Split(f, blocked);
        FAIL() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, PieceName(f, 1));
    }
    EXPECT_EQ(Read(PieceName(f, 0)),
              WritePieceHeader(0, 3, 2097152, 2097152) + bytes.substr(0, 2097152));
    EXPECT_EQ(blocked.events.back(), "wait off");
    EXPECT_EQ(blocked.events[blocked.events.size() - 2], "pos 205");

    fs::remove(PieceName(f, 1));
    Recorder shrinking;
    shrinking.answerYes = true;
    // The last step of piece 0 comes before piece 1 is begun; its copy then runs short.
    shrinking.onProgress = [&](uint64_t pos) {
        if (pos == 205) fs::resize_file(f.m_strSourcePath, 3500000);
    };
    try {
        Split(f, shrinking);
        FAIL() << "no file error";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::endOfFile);
        EXPECT_EQ(e.m_strFileName, f.m_strSourcePath);
    }
    EXPECT_EQ(fs::file_size(PieceName(f, 0)), 2097180u);
    EXPECT_EQ(Read(PieceName(f, 1)),
              WritePieceHeader(1, 3, 2097152, 2097152) + bytes.substr(2097152, 3500000 - 2097152));
    EXPECT_EQ(shrinking.Calls().back(), "wait off");
    EXPECT_TRUE(source.IsOpen());
}

}  // namespace
