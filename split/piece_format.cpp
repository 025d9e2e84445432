#include "split/piece_format.h"

#include <cstring>
#include <limits>

#include "platform/file.h"
#include "platform/file_exception.h"

namespace {

bool IsWhiteSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string WritePieceHeader(uint64_t index, uint64_t count, uint64_t chunkSize,
                             uint64_t dataSize) {
    std::string header;
    for (uint64_t value : {index, count, chunkSize, dataSize}) {
        header += std::to_string(value);
        header += '\n';
    }
    header += kPieceMagic;
    header += '\n';
    return header;
}

bool IsPieceMagic(const char (&word)[8]) {
    return std::memcmp(word, kPieceMagic, kPieceMagicLength) == 0;
}

size_t FileByteSource::Read(char* buffer, size_t count) {
    return m_file.Read(buffer, count);
}

size_t MemoryByteSource::Read(char* buffer, size_t count) {
    size_t n = count < m_size - m_pos ? count : m_size - m_pos;
    std::memcpy(buffer, m_data + m_pos, n);
    m_pos += n;
    return n;
}

int PieceReader::Peek() {
    if (m_pos == m_end) {
        if (m_atEnd) return -1;
        m_nBefore += m_end;
        m_pos = m_end = 0;
        try {
            m_end = m_source.Read(m_buffer, sizeof m_buffer);
        } catch (const CFileException&) {
            // A header that cannot be read is no header; the caller sees a failure.
            m_failed = true;
        }
        if (m_end == 0) {
            m_atEnd = true;
            return -1;
        }
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

void PieceReader::SkipWhiteSpace() {
    while (IsWhiteSpace(Peek())) ++m_pos;
}

bool PieceReader::ExtractNumber(uint64_t& value) {
    if (m_failed) return false;
    SkipWhiteSpace();
    if (Peek() < 0) return Fail();
    if (!IsDigit(Peek())) {
        value = 0;
        return Fail();
    }
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t v = 0;
    bool overflow = false;
    for (int c = Peek(); IsDigit(c); c = Peek()) {
        unsigned digit = static_cast<unsigned>(c - '0');
        if (v > (kMax - digit) / 10) overflow = true;
        v = overflow ? kMax : v * 10 + digit;
        ++m_pos;
    }
    value = v;
    return overflow ? Fail() : true;
}

bool PieceReader::ExtractWord(char (&word)[8]) {
    if (m_failed) return false;
    SkipWhiteSpace();
    if (Peek() < 0) return Fail();
    size_t stored = 0;
    for (int c = Peek(); c >= 0 && !IsWhiteSpace(c); c = Peek()) {
        if (stored < kPieceMagicLength) word[stored++] = static_cast<char>(c);
        ++m_pos;
    }
    word[stored] = '\0';
    return true;
}

bool PieceReader::SkipByte() {
    if (m_failed) return false;
    if (Peek() < 0) return Fail();
    ++m_pos;
    return true;
}

size_t PieceReader::ReadData(char* buffer, size_t count) {
    if (m_failed) return 0;
    size_t done = 0;
    if (m_pos < m_end) {
        done = count < m_end - m_pos ? count : m_end - m_pos;
        std::memcpy(buffer, m_buffer + m_pos, done);
        m_pos += done;
    }
    if (done < count && !m_atEnd) {
        const size_t direct = m_source.Read(buffer + done, count - done);
        m_nBefore += direct;
        done += direct;
    }
    return done;
}

bool ExtractPieceHeader(PieceReader& reader, const PieceHeaderFields& fields) {
    return reader.ExtractNumber(fields.index) && reader.ExtractNumber(fields.count) &&
           reader.ExtractNumber(fields.chunkSize) && reader.ExtractNumber(fields.dataSize) &&
           reader.ExtractWord(fields.magic);
}

void OpenPieceToRead(CFile& piece, const std::string& path) {
    CFileException error(CFileException::none, 0);
    if (!piece.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary, &error)) {
        error.m_strFileName = path;
        throw error;
    }
}
