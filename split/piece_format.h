// The piece file: a text header (index, count, chunk size, data size, magic word,
// each ended by LF) followed by the raw data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFile;

constexpr char kPieceMagic[] = "qkvspt$";
constexpr size_t kPieceMagicLength = 7;

// Header bytes, written through the same file as the data that follow.
std::string WritePieceHeader(uint64_t index, uint64_t count, uint64_t chunkSize, uint64_t dataSize);

// True when the first 7 bytes of a stored word are the magic.
bool IsPieceMagic(const char (&word)[8]);

// Where the reader's bytes come from: a file or, for tests and fuzzing, memory.
class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Fewer bytes than asked only at the end; a failure raises CFileException.
    virtual size_t Read(char* buffer, size_t count) = 0;
};

class FileByteSource : public ByteSource {
  public:
    explicit FileByteSource(CFile& file) : m_file(file) {}
    size_t Read(char* buffer, size_t count) override;

  private:
    CFile& m_file;
};

class MemoryByteSource : public ByteSource {
  public:
    MemoryByteSource(const char* data, size_t size) : m_data(data), m_size(size) {}
    size_t Read(char* buffer, size_t count) override;

  private:
    const char* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Extracts header items the way a text stream would: white space is skipped before
// each item, a failed extraction stops all later ones, and nothing is ever raised.
class PieceReader {
  public:
    explicit PieceReader(ByteSource& source) : m_source(source) {}

    // An unsigned decimal up to 2^64-1. A token that is not a number stores 0; an
    // overflowing one stores the largest value; at the end nothing is stored.
    bool ExtractNumber(uint64_t& value);
    // The word up to the next white space; only its first 7 bytes are kept.
    bool ExtractWord(char (&word)[8]);
    // The separator after the magic word.
    bool SkipByte();
    // Data bytes after the header; fewer than count only at the end or after a failed
    // extraction. Unlike the header, a data read that fails raises the file's error.
    size_t ReadData(char* buffer, size_t count);

    bool failed() const { return m_failed; }
    // The reader's position: the bytes of the source it has consumed.
    uint64_t Consumed() const { return m_nBefore + m_pos; }

  private:
    int Peek();  // -1 at the end
    bool Fail() {
        m_failed = true;
        return false;
    }
    void SkipWhiteSpace();

    ByteSource& m_source;
    char m_buffer[256];
    uint64_t m_nBefore = 0;  // source bytes before the buffer's first
    size_t m_pos = 0;
    size_t m_end = 0;
    bool m_atEnd = false;
    bool m_failed = false;
};

// The four numbers, then the word, stopping at the first failure. Each value is
// stored as soon as it is read.
struct PieceHeaderFields {
    uint64_t& index;
    uint64_t& count;
    uint64_t& chunkSize;
    uint64_t& dataSize;
    char (&magic)[8];
};
bool ExtractPieceHeader(PieceReader& reader, const PieceHeaderFields& fields);

// Opens a piece to read it again after the scan; a piece that cannot be opened raises
// the file error, with the piece's path.
void OpenPieceToRead(CFile& piece, const std::string& path);
