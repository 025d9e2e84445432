// The checksum file and the spare of a series: cleared and written by the split,
// found and checked by the merge, verify and repair.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sha256.h"
#include "split/checksum_file.h"

class CFile;

// The names a series' own files take beside its pieces, for the source's name.
std::string ChecksumFileName(const std::string& sourceName);
std::string SpareName(const std::string& sourceName);

// Removes the checksum file and the spare of sourceName's series from the folder
// (which ends with the separator), and the temporaries they were written through.
// False, with the one that stays, when one of them cannot be removed.
bool ClearSeriesFiles(const std::string& folder, const std::string& sourceName,
                      std::string& blocked);

// After the last piece: the spare (read through the source the pieces came from, still
// held open, when wanted), then the checksum file with its line last; each appears
// whole or not at all. File errors raise CFileException.
void WriteSeriesFiles(const std::string& folder, const std::string& sourceName,
                      std::vector<ChecksumLine> lines, CFile* spareSource, uint64_t chunkSize);

// The checksum file of a piece's own series: "<source>.sha256" beside it, the source
// named as the piece's name and index tell. Only that file, never another one.
struct SeriesChecksumFile {
    enum State { kNone, kFound, kUnreadable };  // kUnreadable: cannot be opened or too large
    State state = kNone;
    std::string path;  // for kNone the name it would have
    ChecksumList list;
};
// A failed read raises CFileException.
SeriesChecksumFile FindSeriesChecksumFile(const std::string& piecePath);
// Its path alone, read or not; empty for a name that is no piece's.
std::string SeriesChecksumPath(const std::string& piecePath);

// A piece, or the spare, that does not hold what the checksum file says.
struct ContentFault {
    enum Kind { kDiffers, kNotListed };
    Kind kind;
    std::string path;
};

struct ContentReport {
    std::vector<ContentFault> faults;  // in merge order, the spare last
    bool wholeListed = false;          // the checksum file has the source's line
    bool wholeMatches = false;         // the joined data are the source's (merge only)
    bool ok() const { return faults.empty() && (!wholeListed || wholeMatches); }
};

// The merge's check, fed by the merge with the very bytes it reads and writes.
class MergeCheck {
  public:
    explicit MergeCheck(SeriesChecksumFile file) : m_file(std::move(file)) {}
    const SeriesChecksumFile& File() const { return m_file; }
    // The joined data, as written to the output.
    Sha256& Whole() { return m_whole; }
    // One piece's file as read, header and data.
    void Piece(const std::string& path, const Sha256::Digest& digest);
    // Once, after the last piece.
    const ContentReport& Finish();
    const ContentReport& Report() const { return m_report; }

  private:
    SeriesChecksumFile m_file;
    Sha256 m_whole;
    ContentReport m_report;
};

// verify's check: every piece read whole, and the spare where it lies beside them.
ContentReport CheckContents(const std::string& checksumPath, const ChecksumList& list,
                            const std::vector<std::string>& piecePaths);
