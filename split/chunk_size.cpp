#include "split/chunk_size.h"

namespace {

constexpr float kBytesPerMB = 1048576.0f;

// Forces the value through a single-precision store: x87 code may otherwise keep
// more precision than a float holds, and the rounding is part of the result.
float Single(float value) {
    volatile float stored = value;
    return stored;
}

ChunkSize Failure(ChunkSizeError error) {
    return {error, 0};
}

}  // namespace

ChunkSize ComputeChunkSize(int32_t mode, float chunkMB, int32_t partCount, uint64_t sourceLength) {
    if (mode != 0) {
        // Written so that a value that is not a number fails too.
        if (chunkMB > 700.0f || !(chunkMB >= 1.0f)) return Failure(ChunkSizeError::kOutOfRange);
        return {ChunkSizeError::kNone, Single(chunkMB * kBytesPerMB)};
    }
    if (partCount < 1) return Failure(ChunkSizeError::kNoParts);
    if (sourceLength == 0) return Failure(ChunkSizeError::kEmptySource);
    const uint64_t parts = static_cast<uint64_t>(partCount);
    const uint64_t quotient = sourceLength / parts;
    // Plus the number of parts, not plus one: the pieces come out a little larger.
    const uint64_t chunk = sourceLength % parts == 0 ? quotient : quotient + parts;
    return {ChunkSizeError::kNone, Single(static_cast<float>(chunk))};
}

uint64_t ChunkBytes(float bytes) {
    // 2^64 itself and beyond cannot be converted; no source is that long anyway.
    constexpr float kTwoTo64 = 18446744073709551616.0f;
    if (!(bytes >= 0.0f)) return 0;
    if (bytes >= kTwoTo64) return UINT64_MAX;
    return static_cast<uint64_t>(bytes);
}
