// The series' checksum file, "<source name>.sha256" beside the pieces, in the form
// sha256sum -c reads: a comment line, then per file "<64 hex digits>  <name>", names
// escaped as sha256sum escapes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

constexpr char kChecksumSuffix[] = ".sha256";
constexpr char kParitySuffix[] = ".parity";
// Far above the lines of the longest series; a larger file is no checksum file of ours.
constexpr uint64_t kLargestChecksumFile = 64u << 20;

struct ChecksumLine {
    std::string hex;   // 64 lowercase hexadecimal digits
    std::string name;  // a plain name of the folder the checksum file lies in
};

struct ChecksumList {
    std::vector<ChecksumLine> lines;
    // Numbers (from 1) of the lines that could not be read, that repeat a name, or whose
    // name would lead out of the folder; none of them is ever followed.
    std::vector<size_t> badLines;

    const ChecksumLine* Find(const std::string& name) const;
    // Adds the line unless its name is listed already; false then.
    bool Add(ChecksumLine line);
    void Reserve(size_t count);

  private:
    // A name's hash to its place in lines: no copy of the names.
    std::unordered_multimap<size_t, size_t> m_index;
};

std::string FormatChecksums(const std::vector<ChecksumLine>& lines);
ChecksumList ParseChecksums(const std::string& text);

enum class ChecksumRead { kRead, kCannotOpen, kTooLarge };
// Reads a checksum file, a regular file of at most kLargestChecksumFile bytes, and
// never past that; a failed read raises CFileException.
ChecksumRead ReadChecksumFile(const std::string& path, ChecksumList& list);

// The checksum file of the chosen piece's series: of the folder's "*.sha256" files
// (in name order), the first that lists the piece's name. Empty when there is none.
std::string FindChecksumFile(const std::string& piecePath, ChecksumList& list);

// "movie.avi.sha256" -> "movie.avi": the name of the whole file's line.
std::string SourceNameOfChecksumFile(const std::string& checksumPath);
