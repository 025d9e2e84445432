#include "split/piece_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

TEST(PieceHeaderWriter, WorkedExampleBytes) {
    const std::string first = WritePieceHeader(0, 3, 2097152, 2097152);
    const unsigned char expected[] = {0x30, 0x0A, 0x33, 0x0A, 0x32, 0x30, 0x39, 0x37, 0x31, 0x35,
                                      0x32, 0x0A, 0x32, 0x30, 0x39, 0x37, 0x31, 0x35, 0x32, 0x0A,
                                      0x71, 0x6B, 0x76, 0x73, 0x70, 0x74, 0x24, 0x0A};
    EXPECT_EQ(first, std::string(reinterpret_cast<const char*>(expected), sizeof expected));
    EXPECT_EQ(WritePieceHeader(2, 3, 2097152, 805696), "2\n3\n2097152\n805696\nqkvspt$\n");
    EXPECT_EQ(WritePieceHeader(10, 11, 5, 5).size(), WritePieceHeader(9, 11, 5, 5).size() + 1);
    EXPECT_EQ(WritePieceHeader(UINT64_MAX, 1, 4294967296u, 0),
              "18446744073709551615\n1\n4294967296\n0\nqkvspt$\n");
}

struct ReadCase {
    const char* name;
    const char* bytes;
    bool valid;
    uint64_t values[4];  // what the fields hold afterwards; they start as 7
    const char* data;    // what follows the byte after the word, when valid
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class PieceReaderCases : public ::testing::TestWithParam<ReadCase> {};

TEST_P(PieceReaderCases, ExtractsLikeATextStream) {
    const ReadCase& c = GetParam();
    const std::string bytes = c.bytes;
    MemoryByteSource source(bytes.data(), bytes.size());
    PieceReader reader(source);
    uint64_t v[4] = {7, 7, 7, 7};
    char magic[8] = "?";
    bool extracted = ExtractPieceHeader(reader, {v[0], v[1], v[2], v[3], magic});
    EXPECT_EQ(extracted && IsPieceMagic(magic), c.valid);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(v[i], c.values[i]) << "field " << i + 1;
    if (c.valid) {
        ASSERT_TRUE(reader.SkipByte());
        EXPECT_EQ(reader.Consumed(), bytes.size() - std::strlen(c.data));
        char data[16] = {};
        EXPECT_EQ(std::string(data, reader.ReadData(data, sizeof data)), c.data);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PieceReaderCases,
    ::testing::Values(
        ReadCase{"WrittenHeader",
                 "0\n3\n2097152\n805696\nqkvspt$\nDATA",
                 true,
                 {0, 3, 2097152, 805696},
                 "DATA"},
        ReadCase{"ExtraWhiteSpace",
                 " 1\t\r\n3 \v\f 5\n\n\n7\r\n  qkvspt$ \nD",
                 true,
                 {1, 3, 5, 7},
                 "\nD"},
        ReadCase{"LargestNumber",
                 "18446744073709551615 1 2 3 qkvspt$\n",
                 true,
                 {UINT64_MAX, 1, 2, 3},
                 ""},
        ReadCase{"LongerWord", "1 2 3 4 qkvspt$LONGER\nD", true, {1, 2, 3, 4}, "D"},
        ReadCase{
            "Overflow", "1 2 3 18446744073709551616 qkvspt$\n", false, {1, 2, 3, UINT64_MAX}, ""},
        ReadCase{"MagicWithoutNumbers", "qkvspt$\n", false, {0, 7, 7, 7}, ""},
        ReadCase{"LetterInANumber", "1 2 x 4 qkvspt$\n", false, {1, 2, 0, 7}, ""},
        ReadCase{"Sign", "1 -2 3 4 qkvspt$\n", false, {1, 0, 7, 7}, ""},
        ReadCase{"EndInsideNumbers", "1 2 3", false, {1, 2, 3, 7}, ""},
        ReadCase{"EndBeforeWord", "1 2 3 4", false, {1, 2, 3, 4}, ""},
        ReadCase{"WrongCase", "1 2 3 4 qkvspT$\n", false, {1, 2, 3, 4}, ""},
        ReadCase{"ShortWord", "1 2 3 4 qkvsp", false, {1, 2, 3, 4}, ""},
        ReadCase{"Empty", "", false, {7, 7, 7, 7}, ""}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

// The merge seeks to where the data start: past a header longer than the reader's
// buffer, and past data read on.
TEST(PieceReader, CountsWhatItConsumedAcrossRefills) {
    const std::string header = "1 2 3 4" + std::string(600, ' ') + "qkvspt$\n";
    const std::string bytes = header + std::string(1000, 'D');
    MemoryByteSource source(bytes.data(), bytes.size());
    PieceReader reader(source);
    uint64_t v[4] = {};
    char magic[8] = "?";
    ASSERT_TRUE(ExtractPieceHeader(reader, {v[0], v[1], v[2], v[3], magic}));
    ASSERT_TRUE(reader.SkipByte());
    EXPECT_EQ(reader.Consumed(), header.size());
    char data[700];
    EXPECT_EQ(reader.ReadData(data, sizeof data), sizeof data);
    EXPECT_EQ(reader.Consumed(), header.size() + sizeof data);
}

// Whatever the bytes, the reader stays inside them and keeps the word terminated.
TEST(PieceReader, SurvivesArbitraryBytes) {
    std::mt19937 random(5);
    const char alphabet[] = "0123456789 \t\n\r\v\fqkvspt$\xff\x00x";
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 80, '\0');
        for (char& b : bytes) {
            b = round % 2 ? static_cast<char>(random())
                          : alphabet[random() % (sizeof alphabet - 1)];
        }
        MemoryByteSource source(bytes.data(), bytes.size());
        PieceReader reader(source);
        uint64_t v[4] = {};
        char magic[8] = "?";
        ExtractPieceHeader(reader, {v[0], v[1], v[2], v[3], magic});
        reader.SkipByte();
        char data[100];
        ASSERT_LE(reader.ReadData(data, sizeof data), bytes.size());
        ASSERT_NE(std::char_traits<char>::find(magic, 8, '\0'), nullptr);
    }
}

}  // namespace
