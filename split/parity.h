// The spare piece "<source name>.parity": a text header, then chunk-size bytes, the
// XOR of every piece's data, each padded with zero bytes to the chunk size. With it
// and all pieces but one, the missing piece's data are the XOR of the others.
//
// Header, each item ended by LF: the word "quillet-parity", the format version 1, the
// piece count, the chunk size and the source's length, as plain decimals.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sha256.h"

class CFile;

struct ParityHeader {
    uint64_t count = 0;
    uint64_t chunkSize = 0;
    uint64_t length = 0;

    // The data size of piece index, as the split gave it.
    uint64_t DataSize(uint64_t index) const;
};

std::string WriteParityHeader(const ParityHeader& header);
// False for a file that is no spare, or whose numbers make no series of its length.
bool ReadParityHeader(CFile& file, ParityHeader& header, uint64_t& dataStart);

// Writes the spare of the source's series into out, reading the source through the
// handle the pieces were read through, and returns the digest of what it wrote. File
// errors raise CFileException.
Sha256::Digest WriteParity(CFile& source, uint64_t chunkSize, CFile& out);

// Writes piece `index` into out: its header, then its data rebuilt from the spare and
// the other pieces (piecePaths[i] for piece i, its data after its header as the split
// wrote it); returns the digest of everything written. File errors raise.
Sha256::Digest RebuildPiece(const ParityHeader& header, const std::string& parityPath,
                            uint64_t parityDataStart, const std::vector<std::string>& piecePaths,
                            uint64_t index, CFile& out);
