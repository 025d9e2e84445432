#include "split/parity.h"

#include <cstring>
#include <vector>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "split/piece_format.h"

namespace {

constexpr char kParityWord[] = "quillet-parity\n1\n";
constexpr size_t kBlock = 1u << 20;
constexpr size_t kLongestHeader = sizeof(kParityWord) - 1 + 3 * 21;

void OpenToRead(CFile& file, const std::string& path) {
    CFileException error(CFileException::none, 0);
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary, &error)) {
        error.m_strFileName = path;
        throw error;
    }
}

void Xor(char* into, const char* from, size_t size) {
    for (size_t i = 0; i < size; ++i) into[i] ^= from[i];
}

// Reads size bytes at offset of file and XORs them into the block; a file that ends
// sooner raises its end-of-file error, since a spare of it would be wrong.
void XorFrom(CFile& file, uint64_t offset, char* block, size_t size, std::vector<char>& buffer) {
    file.Seek(static_cast<int64_t>(offset), CFile::begin);
    if (file.Read(buffer.data(), size) != size) {
        CFileException::ThrowOsError(38, file.GetFilePath());  // ERROR_HANDLE_EOF
    }
    Xor(block, buffer.data(), size);
}

// The bytes of piece index's data from offset on that fit in a block of size.
size_t PartOf(const ParityHeader& header, uint64_t index, uint64_t offset, size_t size) {
    const uint64_t dataSize = header.DataSize(index);
    if (offset >= dataSize) return 0;
    return dataSize - offset < size ? static_cast<size_t>(dataSize - offset) : size;
}

bool TakeNumber(const std::string& text, size_t& pos, uint64_t& value) {
    value = 0;
    const size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 19) {
        value = value * 10 + uint64_t(text[pos++] - '0');
    }
    return pos > start && pos < text.size() && text[pos++] == '\n';
}

}  // namespace

uint64_t ParityHeader::DataSize(uint64_t index) const {
    if (index + 1 < count) return chunkSize;
    return length - chunkSize * (count - 1);
}

std::string WriteParityHeader(const ParityHeader& header) {
    return kParityWord + std::to_string(header.count) + "\n" + std::to_string(header.chunkSize) +
           "\n" + std::to_string(header.length) + "\n";
}

bool ReadParityHeader(CFile& file, ParityHeader& header, uint64_t& dataStart) {
    std::string text(kLongestHeader, '\0');
    file.Seek(0, CFile::begin);
    text.resize(file.Read(&text[0], text.size()));
    const size_t wordLength = sizeof(kParityWord) - 1;
    if (text.compare(0, wordLength, kParityWord) != 0) return false;
    size_t pos = wordLength;
    if (!TakeNumber(text, pos, header.count) || !TakeNumber(text, pos, header.chunkSize) ||
        !TakeNumber(text, pos, header.length)) {
        return false;
    }
    dataStart = pos;
    const ParityHeader& h = header;
    return h.chunkSize > 0 && h.length > 0 &&
           h.count == h.length / h.chunkSize + (h.length % h.chunkSize != 0 ? 1 : 0) &&
           file.GetLength() == dataStart + h.chunkSize;
}

Sha256::Digest WriteParity(CFile& source, uint64_t chunkSize, CFile& out) {
    const uint64_t length = source.GetLength();
    ParityHeader header{length / chunkSize + (length % chunkSize != 0 ? 1 : 0), chunkSize, length};
    Sha256 digest;
    const std::string head = WriteParityHeader(header);
    out.Write(head.data(), head.size());
    digest.Update(head.data(), head.size());
    // Block by block across the pieces, so memory stays two blocks whatever the chunk.
    std::vector<char> block(kBlock), buffer(kBlock);
    for (uint64_t offset = 0; offset < chunkSize; offset += kBlock) {
        const size_t size =
            chunkSize - offset < kBlock ? static_cast<size_t>(chunkSize - offset) : kBlock;
        std::memset(block.data(), 0, size);
        for (uint64_t i = 0; i < header.count; ++i) {
            const size_t part = PartOf(header, i, offset, size);
            if (part > 0) XorFrom(source, i * chunkSize + offset, block.data(), part, buffer);
        }
        out.Write(block.data(), size);
        digest.Update(block.data(), size);
    }
    return digest.Final();
}

Sha256::Digest RebuildPiece(const ParityHeader& header, const std::string& parityPath,
                            uint64_t parityDataStart, const std::vector<std::string>& piecePaths,
                            uint64_t index, CFile& out) {
    Sha256 digest;
    const uint64_t dataSize = header.DataSize(index);
    const std::string head = WritePieceHeader(index, header.count, header.chunkSize, dataSize);
    out.Write(head.data(), head.size());
    digest.Update(head.data(), head.size());
    CFile parity;
    OpenToRead(parity, parityPath);
    std::vector<char> block(kBlock), buffer(kBlock);
    for (uint64_t offset = 0; offset < dataSize; offset += kBlock) {
        const size_t size = PartOf(header, index, offset, kBlock);
        std::memset(block.data(), 0, size);
        XorFrom(parity, parityDataStart + offset, block.data(), size, buffer);
        for (uint64_t i = 0; i < header.count; ++i) {
            const size_t part = i == index ? 0 : PartOf(header, i, offset, size);
            if (part == 0) continue;
            CFile piece;
            OpenToRead(piece, piecePaths[i]);
            const uint64_t start =
                WritePieceHeader(i, header.count, header.chunkSize, header.DataSize(i)).size();
            XorFrom(piece, start + offset, block.data(), part, buffer);
        }
        out.Write(block.data(), size);
        digest.Update(block.data(), size);
    }
    return digest.Final();
}
