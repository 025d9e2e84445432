// The chunk size of a split, from the page's mode and fields and the source length.
#pragma once

#include <cstdint>

enum class ChunkSizeError {
    kNone,
    kOutOfRange,   // by chunk size: not from 1 to 700 MB
    kNoParts,      // by number of parts: fewer than one part
    kEmptySource,  // by number of parts: nothing to divide
};

struct ChunkSize {
    ChunkSizeError error = ChunkSizeError::kNone;
    float bytes = 0;  // held in single precision, as the page stores it
};

// mode 1: by chunk size in MB; mode 0: by number of parts.
ChunkSize ComputeChunkSize(int32_t mode, float chunkMB, int32_t partCount, uint64_t sourceLength);

// The chunk size in bytes as a whole number, truncated toward zero.
uint64_t ChunkBytes(float bytes);
