#include "split/chunk_size.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

uint64_t BySize(float megabytes) {
    ChunkSize size = ComputeChunkSize(1, megabytes, 2, 5000000);
    EXPECT_EQ(size.error, ChunkSizeError::kNone) << megabytes;
    return ChunkBytes(size.bytes);
}

uint64_t ByParts(uint64_t length, int32_t parts) {
    ChunkSize size = ComputeChunkSize(0, 2.0f, parts, length);
    EXPECT_EQ(size.error, ChunkSizeError::kNone) << length << " / " << parts;
    return ChunkBytes(size.bytes);
}

TEST(ChunkSize, ByChunkSizeIsTheFloatProduct) {
    EXPECT_EQ(BySize(2.0f), 2097152u);
    EXPECT_EQ(BySize(1.5f), 1572864u);
    EXPECT_EQ(BySize(1.3f), 1363148u);
    EXPECT_EQ(BySize(1.0f), 1048576u);
    EXPECT_EQ(BySize(700.0f), 734003200u);
    EXPECT_EQ(BySize(700.00001f), 734003200u);  // rounds to 700 in single precision
}

TEST(ChunkSize, ByChunkSizeRefusesOutsideOneTo700) {
    for (float mb : {0.5f, 0.999f, 700.001f, 701.0f, 0.0f, -3.0f, NAN, INFINITY}) {
        EXPECT_EQ(ComputeChunkSize(1, mb, 2, 5000000).error, ChunkSizeError::kOutOfRange) << mb;
    }
}

TEST(ChunkSize, ByPartsAddsThePartCountToARemainder) {
    EXPECT_EQ(ByParts(1000, 3), 336u);
    EXPECT_EQ(ByParts(10, 3), 6u);
    EXPECT_EQ(ByParts(999, 3), 333u);
    EXPECT_EQ(ByParts(5000001, 2), 2500002u);
    EXPECT_EQ(ByParts(2, 3), 3u);  // larger than the source: the split refuses it
    EXPECT_EQ(ByParts(5000, 2), 2500u);
}

TEST(ChunkSize, ByPartsMovesToTheFloatGrid) {
    EXPECT_EQ(ByParts(16777217, 1), 16777216u);
    EXPECT_EQ(ByParts(16777219, 1), 16777220u);
    EXPECT_EQ(ByParts((1ull << 33) + 1, 1), 1ull << 33);  // beyond 32 bits
    EXPECT_EQ(ByParts(5ull << 32, 2), 10737418240u);
    EXPECT_EQ(ChunkBytes(ComputeChunkSize(0, 2.0f, 1, UINT64_MAX).bytes), UINT64_MAX);
}

TEST(ChunkSize, ByPartsRefusesWhatCannotBeDivided) {
    EXPECT_EQ(ComputeChunkSize(0, 2.0f, 0, 1000).error, ChunkSizeError::kNoParts);
    EXPECT_EQ(ComputeChunkSize(0, 2.0f, -5, 1000).error, ChunkSizeError::kNoParts);
    EXPECT_EQ(ComputeChunkSize(0, 2.0f, 3, 0).error, ChunkSizeError::kEmptySource);
    // The chunk-size field plays no part in this mode.
    EXPECT_EQ(ComputeChunkSize(0, NAN, 3, 1000).error, ChunkSizeError::kNone);
}

}  // namespace
