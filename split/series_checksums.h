// The checksum file and the spare with a split, and the check of pieces against the
// checksum file with a merge or on their own.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "split/checksum_file.h"
#include "split/series_digest.h"

struct MergeState;
struct SplitFields;

class SplitChecksums {
  public:
    // With neither, the split only clears the series' old files.
    SplitChecksums(const SplitFields& fields, bool checksums, bool parity);
    // When the split starts writing pieces (its chunk size known): removes the series'
    // old checksum file and spare, which would describe the pieces about to be replaced,
    // and starts digesting the source beside the copy.
    void Start();
    // After the last piece: writes the spare, then the checksum file, each whole or not
    // at all. File errors raise CFileException.
    void Finish();

  private:
    const SplitFields& m_fields;
    bool m_bChecksums, m_bParity;
    uint64_t m_nChunk = 0;
    std::unique_ptr<BackgroundDigests> m_pieces, m_whole;
};

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

// The merge's check: the collected pieces, and their joined data, digested beside
// the copy.
class MergeCheck {
  public:
    MergeCheck(std::string checksumPath, ChecksumList list)
        : m_strChecksumPath(std::move(checksumPath)), m_list(std::move(list)) {}
    // When the copy starts: the scan has collected the pieces.
    void Start(const MergeState& state);
    ContentReport Finish();

  private:
    std::string m_strChecksumPath;
    ChecksumList m_list;
    std::vector<std::string> m_arrPieces;
    std::unique_ptr<BackgroundDigests> m_pieces, m_whole;
};

// verify's check: every piece read whole, and the spare where it lies beside them.
ContentReport CheckContents(const std::string& checksumPath, const ChecksumList& list,
                            const std::vector<std::string>& piecePaths);
