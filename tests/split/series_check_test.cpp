// The series check on real splits and on folders of hand-made pieces, one fault at a time.
#include "split/series_check.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/folder_names.h"
#include "platform/folder.h"
#include "split/piece_format.h"
#include "split/split_texts.h"
#include "split_fixture.h"

using testing::ElementsAre;
using testing::IsEmpty;

namespace {

class SeriesCheckTest : public SplitMergeTest {
  public:
    // A piece with the given header, followed by present data bytes.
    void Piece(const std::string& name, uint64_t index, uint64_t count, uint64_t chunkSize,
               uint64_t dataSize, size_t present) {
        dir.WriteFile(sub + name, WritePieceHeader(index, count, chunkSize, dataSize) +
                                      Pattern(present, static_cast<uint32_t>(index)));
    }

    Outcome Check(const std::string& name) {
        return CheckSeries(dir.Join(sub + name), notify, report);
    }

    std::string sub;  // where Piece and Check work, inside dir
    Recorder notify;
    SeriesReport report;
};

std::string Describe(const SeriesFault& f) {
    const char* const kinds[] = {"missing",    "duplicate", "outside", "count",
                                 "chunk size", "data size", "shorter", "longer"};
    const std::string name = f.path.substr(f.path.find_last_of("/\\") + 1);
    return std::string(kinds[f.kind]) + " " + name + " " + std::to_string(f.index) + " " +
           std::to_string(f.value) + " " + std::to_string(f.expected);
}

std::vector<std::string> Described(const SeriesReport& report) {
    std::vector<std::string> faults;
    for (const SeriesFault& f : report.faults) faults.push_back(Describe(f));
    return faults;
}

TEST_F(SeriesCheckTest, SplitsPassAndTellTheirSource) {
    struct Case {
        const char* source;
        size_t length;
        int32_t parts;
        const char* name;  // as the check tells it
        uint64_t count, chunkSize;
    } cases[] = {
        {"movie.avi", 5000000, 0, "movie.avi", 3, 2097152},
        {"README", 1000, 3, "README", 3, 336},
        {"x1.dat", 12 * 1001, 12, "x1.dat", 12, 1001},  // two-digit names, digits in the title
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.source);
        dir.WriteFile(c.source, Pattern(c.length));
        SplitFields f = FieldsFor(c.source);
        // Beside "README" the proposed folder would be the file itself.
        f.m_strTargetFolder = dir.Join(std::string("of ") + c.source) + path::kSeparator;
        f.m_nMode = c.parts > 0 ? 0 : 1;
        f.m_nPartCount = c.parts;
        ASSERT_TRUE(Split(f, notify).ok());
        notify.events.clear();
        ASSERT_TRUE(CheckSeries(PieceName(f, c.count - 1), notify, report).ok());
        EXPECT_THAT(Described(report), IsEmpty());
        EXPECT_EQ(report.sourceName, c.name);
        EXPECT_EQ(report.count, c.count);
        EXPECT_EQ(report.pieces, c.count);
        EXPECT_EQ(report.chunkSize, c.chunkSize);
        EXPECT_EQ(report.totalBytes, c.length);
    }
    EXPECT_THAT(notify.events, IsEmpty());
}

TEST_F(SeriesCheckTest, NamesEachFaultOfTheSeries) {
    struct Case {
        const char* what;
        std::function<void(SeriesCheckTest&)> make;
        testing::Matcher<std::vector<std::string>> faults;
    } cases[] = {
        {"a missing piece and a missing range",
         [](SeriesCheckTest& t) {
             t.Piece("a0.spt", 0, 6, 10, 10, 10);
             t.Piece("a2.spt", 2, 6, 10, 10, 10);
         },
         ElementsAre("missing  1 1 0", "missing  3 5 0")},
        {"a copy under another name",
         [](SeriesCheckTest& t) {
             t.Piece("a0.spt", 0, 2, 10, 10, 10);
             t.Piece("a1.spt", 1, 2, 10, 4, 4);
             t.Piece("copy of a1.spt", 1, 2, 10, 4, 4);
         },
         // The second in the listing's order is the duplicate.
         testing::AnyOf(ElementsAre("duplicate copy of a1.spt 1 0 0"),
                        ElementsAre("duplicate a1.spt 1 0 0"))},
        {"cut short and grown",
         [](SeriesCheckTest& t) {
             t.Piece("a0.spt", 0, 2, 10, 10, 7);
             t.Piece("a1.spt", 1, 2, 10, 4, 5);
         },
         // Headers of 18 and 17 bytes.
         ElementsAre("shorter a0.spt 0 25 28", "longer a1.spt 1 22 21")},
        {"headers that disagree",
         [](SeriesCheckTest& t) {
             t.Piece("a0.spt", 0, 3, 10, 9, 9);
             t.Piece("a1.spt", 1, 4, 12, 10, 10);
             t.Piece("a2.spt", 2, 3, 10, 11, 11);
             t.Piece("a3.spt", 3, 3, 10, 10, 10);
         },
         ElementsAre("data size a0.spt 0 9 10", "count a1.spt 1 4 3", "chunk size a1.spt 1 12 10",
                     "data size a2.spt 2 11 10", "outside a3.spt 3 0 0")},
        {"an empty last piece", [](SeriesCheckTest& t) { t.Piece("a0.spt", 0, 1, 10, 0, 0); },
         ElementsAre("data size a0.spt 0 0 10")},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sub = "case" + std::to_string(n++);
        ASSERT_TRUE(folder::Create(dir.Join(sub)));
        sub += path::kSeparator;
        c.make(*this);
        ASSERT_TRUE(Check("a0.spt").ok());
        EXPECT_THAT(Described(report), c.faults);
    }
}

TEST_F(SeriesCheckTest, TakesWhatTheMergeTakes) {
    Piece("a0.spt", 0, 2, 10, 10, 10);
    Piece("a1.SPT", 1, 2, 10, 3, 3);      // no "spt" in the path: not a candidate
    dir.WriteFile("notes.spt", "0 2 x");  // no magic: not a piece
    folder::Create(dir.Join("sub.spt"));  // a folder is never a piece
    ASSERT_TRUE(Check("a0.spt").ok());
    EXPECT_EQ(report.pieces, 1u);
    EXPECT_THAT(Described(report), ElementsAre("missing  1 1 0"));
    // Writes nothing, not even the size table of the merge.
    EXPECT_THAT(NamesIn(dir.path()), ElementsAre("a0.spt", "a1.SPT", "notes.spt", "sub.spt"));
}

TEST_F(SeriesCheckTest, RefusesAFileThatIsNoPieceAsTheMergeDoes) {
    dir.WriteFile("plain.txt", "hello");
    EXPECT_EQ(Check("plain.txt").status, Outcome::kRefused);
    EXPECT_THAT(notify.events, ElementsAre(std::string("message ") + split_text::kWrongFile));
}

}  // namespace
