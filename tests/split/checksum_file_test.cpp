// The checksum file's reader: what sha256sum -c accepts, and no name that leads out of
// the folder. Expected names are the lines' own, read by eye.
#include "split/checksum_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <utility>

#include "common/temp_dir.h"

namespace {

const std::string kHex(64, 'a');
#ifdef _WIN32
constexpr bool kWindows = true;  // where a backslash and a colon lead elsewhere
const char kAlphabet[] = "ab.\n\r #*\xe4\xb8\xad ";
#else
constexpr bool kWindows = false;
const char kAlphabet[] = "ab.\\\n\r #*\xe4\xb8\xad ";
#endif

TEST(ChecksumFile, ReadsEachLineOrRefusesIt) {
    struct Case {
        std::string line;
        const char* name;  // nullptr: refused
    } cases[] = {
        {kHex + "  movie0.avi.spt", "movie0.avi.spt"},
        {kHex + " *binary marker", "binary marker"},
        {std::string(64, 'A') + "  upper.spt\r", "upper.spt"},
        {"\\" + kHex + "  a\\\\b\\nc", kWindows ? nullptr : "a\\b\nc"},
        {"\\" + kHex + "  a\\nb", "a\nb"},
        {kHex + "  ../up", nullptr},
        {kHex + "  sub/name", nullptr},
        {kHex + "  sub\\name", kWindows ? nullptr : "sub\\name"},
        {kHex + "  C:name", kWindows ? nullptr : "C:name"},
        {kHex + "  ..", nullptr},
        {kHex + "  ", nullptr},
        {kHex + " name", nullptr},
        {"\\" + kHex + "  bad\\escape", nullptr},
        {kHex.substr(1) + "g  name", nullptr},
        {kHex.substr(1) + "  name", nullptr},
        {std::string("  ") + kHex, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ChecksumList list = ParseChecksums("# comment\n\n" + c.line + "\n");
        if (c.name) {
            ASSERT_EQ(list.lines.size(), 1u);
            EXPECT_EQ(list.lines[0].name, c.name);
            EXPECT_EQ(list.lines[0].hex, kHex);
        } else {
            EXPECT_TRUE(list.lines.empty());
            EXPECT_EQ(list.badLines, std::vector<size_t>{3});
        }
    }
    // The first line of a name counts; a second is refused rather than chosen from.
    EXPECT_EQ(ParseChecksums(kHex + "  x\n" + kHex + "  x").badLines, std::vector<size_t>{2});
}

// Any plain name the writer is given comes back, however it needs escaping.
TEST(ChecksumFile, WrittenNamesReadBack) {
    std::mt19937 random(3);
    for (int round = 0; round < 500; ++round) {
        std::string name(1 + random() % 12, 'x');
        for (char& c : name) c = kAlphabet[random() % (sizeof kAlphabet - 1)];
        if (name == "." || name == "..") continue;
        const ChecksumList list = ParseChecksums(FormatChecksums({{kHex, name}}));
        ASSERT_EQ(list.lines.size(), 1u) << name;
        EXPECT_EQ(list.lines[0].name, name);
    }
}

// The reader stops at its bound (what is no regular file the file layer refuses).
TEST(ChecksumFile, ReadsOnlyAFileOfBoundedSize) {
    TempDir dir;
    dir.WriteFile("good.sha256", kHex + "  a.spt\n");
    std::ofstream(dir.Join("large.sha256"));  // sparse: no disk space taken
    std::filesystem::resize_file(dir.Join("large.sha256"), kLargestChecksumFile + 1);
    for (const auto& c : {std::make_pair("good.sha256", ChecksumRead::kRead),
                          std::make_pair("missing.sha256", ChecksumRead::kCannotOpen),
                          std::make_pair("large.sha256", ChecksumRead::kTooLarge)}) {
        ChecksumList list;
        EXPECT_EQ(ReadChecksumFile(dir.Join(c.first), list), c.second) << c.first;
        EXPECT_EQ(list.Find("a.spt") != nullptr, c.second == ChecksumRead::kRead) << c.first;
    }
}

}  // namespace
