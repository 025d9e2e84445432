// Joins a series of piece files back into one file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/engine_notifications.h"
#include "platform/outcome.h"

class BlockCopier;
class CFile;
class MergeCheck;
struct PieceHeaderFields;

// Data sizes of the pieces collected by the latest scan, in merge order. Pieces
// past its end keep their sizes in the merge state instead.
constexpr size_t kPieceSizeEntries = 1024;
extern uint64_t g_nPieceSize[kPieceSizeEntries];

// The Merge page's inputs; the page inherits them, so the names are the page's.
struct MergeFields {
    std::string m_strPiecePath;
    std::string m_strPieceFolder;  // without a trailing separator
    std::string m_strOutputPath;
    std::string m_strOutputFolder;  // without a trailing separator
};

// Lives with the page and carries over from one merge to the next.
struct MergeState {
    std::vector<std::string> m_arrPieces;       // valid pieces, in merge order
    std::vector<uint64_t> m_arrMorePieceSizes;  // sizes of pieces 1024 and on
    // The header read last, valid or not.
    uint64_t m_nPieceIndex = 0;
    uint64_t m_nPieceCount = 0;
    uint64_t m_nChunkSize = 0;
    uint64_t m_nDataSize = 0;
    uint64_t m_nTotalSize = 0;  // sum of the collected data sizes
    char m_szMagic[8]{};

    uint64_t PieceSize(size_t position) const;
};

// A piece that a merge takes, with the header the scan read from it.
struct ScannedPiece {
    uint64_t index;
    uint64_t count;
    uint64_t chunkSize;
    uint64_t dataSize;
    std::string path;
};

class MergeEngine {
  public:
    MergeEngine(const MergeFields& fields, MergeState& state, EngineNotifications& notify)
        : m_fields(fields), m_state(state), m_notify(notify) {}
    // A merge that feeds check with every byte it reads; it opens the output's folder
    // only when the check finds the output to be the original.
    MergeEngine(const MergeFields& fields, MergeState& state, EngineNotifications& notify,
                MergeCheck& check)
        : m_fields(fields), m_state(state), m_notify(notify), m_check(&check) {}

    // True when the file is a piece; leaves its header values in the merge state.
    bool ReadPieceHeader(const std::string& path);
    // Checks the chosen piece, collects the valid pieces of its folder and orders
    // them by their piece index; done when their number matches the piece count.
    Outcome ScanPieceFolder();
    // The pieces of the chosen piece's folder that a merge takes, in the order it joins
    // them; false when the folder cannot be listed. Leaves the header read last in the
    // merge state, as the scan does.
    bool FindPieces(std::vector<ScannedPiece>& pieces);
    // The whole merge. A piece that cannot be opened or holds fewer bytes than its
    // header says, and a failed write to the output, raise CFileException. With a
    // check, a merge whose check fails ends as failed, its output in place.
    Outcome MergePieces();

  private:
    // The piece folder's candidates, listed once per merge; null when it cannot be listed.
    const std::vector<std::string>* Candidates();
    PieceHeaderFields StateFields();
    Outcome Scan();
    bool Find(std::vector<ScannedPiece>& pieces);
    void Keep(const std::vector<ScannedPiece>& pieces);
    bool OutputIsAPiece();
    bool OutputIsASeriesFile();
    void CopyPieces(CFile& output);
    void CopyPiece(size_t position, BlockCopier& copier, CFile& output);

    const MergeFields& m_fields;
    MergeState& m_state;
    EngineNotifications& m_notify;
    MergeCheck* m_check = nullptr;
    bool m_bListed = false;  // m_bListable and m_arrCandidates hold this merge's listing
    bool m_bListable = false;
    std::vector<std::string> m_arrCandidates;
};
