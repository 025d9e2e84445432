#include "split/merge_engine.h"

#include <algorithm>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/sha256.h"
#include "platform/text.h"
#include "platform/whole_file.h"
#include "split/block_copy.h"
#include "split/piece_format.h"
#include "split/series_checksums.h"
#include "split/split_engine.h"
#include "split/split_texts.h"

uint64_t g_nPieceSize[kPieceSizeEntries];

namespace {

constexpr size_t kShortestPath = 3;

// Opens the file and extracts its header into fields; a file that cannot be opened
// extracts nothing.
void ReadHeader(const std::string& path, const PieceHeaderFields& fields) {
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) return;
    FileByteSource source(file);
    PieceReader reader(source);
    ExtractPieceHeader(reader, fields);
}

bool IsPieceFile(const std::string& path) {
    uint64_t ignored[4] = {};
    char magic[8] = "?";
    ReadHeader(path, {ignored[0], ignored[1], ignored[2], ignored[3], magic});
    return IsPieceMagic(magic);
}

// Feeds the digest the rest of the piece's file, which the copy leaves alone.
void DigestRest(CFile& piece, Sha256& digest) {
    std::vector<char> buffer(1u << 16);
    for (size_t got; (got = piece.Read(buffer.data(), buffer.size())) > 0;) {
        digest.Update(buffer.data(), got);
    }
}

}  // namespace

uint64_t MergeState::PieceSize(size_t position) const {
    if (position < kPieceSizeEntries) return g_nPieceSize[position];
    return m_arrMorePieceSizes.at(position - kPieceSizeEntries);
}

PieceHeaderFields MergeEngine::StateFields() {
    return {m_state.m_nPieceIndex, m_state.m_nPieceCount, m_state.m_nChunkSize, m_state.m_nDataSize,
            m_state.m_szMagic};
}

bool MergeEngine::ReadPieceHeader(const std::string& path) {
    // A header without a word must never match the magic left by an earlier one.
    m_state.m_szMagic[0] = '?';
    if (path.size() < kShortestPath) return false;
    ReadHeader(path, StateFields());
    return IsPieceMagic(m_state.m_szMagic);
}

// Every entry of the piece folder whose path contains "spt"; folders too, since
// they fail the header test anyway. When the output check lists them before the
// output is created, an old output is emptied before the scan reads its header, as
// if the folder had been listed after.
const std::vector<std::string>* MergeEngine::Candidates() {
    if (!m_bListed) {
        m_bListed = true;
        m_arrCandidates.clear();
        std::vector<folder::Entry> entries;
        m_bListable = folder::List(m_fields.m_strPieceFolder, entries);
        const std::string prefix = m_fields.m_strPieceFolder + path::kSeparator;
        for (const folder::Entry& entry : entries) {
            if (entry.name == "." || entry.name == "..") continue;
            std::string candidate = prefix + entry.name;
            if (text::Find(candidate, "spt") != std::string::npos) {
                m_arrCandidates.push_back(std::move(candidate));
            }
        }
    }
    return m_bListable ? &m_arrCandidates : nullptr;
}

bool MergeEngine::FindPieces(std::vector<ScannedPiece>& pieces) {
    m_bListed = false;
    return Find(pieces);
}

bool MergeEngine::Find(std::vector<ScannedPiece>& pieces) {
    const std::vector<std::string>* candidates = Candidates();
    if (!candidates) return false;
    for (const std::string& candidate : *candidates) {
        if (ReadPieceHeader(candidate)) {
            pieces.push_back({m_state.m_nPieceIndex, m_state.m_nPieceCount, m_state.m_nChunkSize,
                              m_state.m_nDataSize, candidate});
        }
    }
    // Listings come in no useful order ("x10" before "x2"), so the pieces are joined by
    // their index; equal indexes keep the listing's order.
    std::stable_sort(
        pieces.begin(), pieces.end(),
        [](const ScannedPiece& a, const ScannedPiece& b) { return a.index < b.index; });
    return true;
}

void MergeEngine::Keep(const std::vector<ScannedPiece>& found) {
    m_state.m_arrPieces.clear();
    m_state.m_arrMorePieceSizes.clear();
    for (size_t k = 0; k < found.size(); ++k) {
        m_state.m_arrPieces.push_back(found[k].path);
        if (k < kPieceSizeEntries) {
            g_nPieceSize[k] = found[k].dataSize;
        } else {
            m_state.m_arrMorePieceSizes.push_back(found[k].dataSize);
        }
        m_state.m_nTotalSize += found[k].dataSize;
    }
}

Outcome MergeEngine::ScanPieceFolder() {
    m_bListed = false;
    return Scan();
}

Outcome MergeEngine::Scan() {
    if (!ReadPieceHeader(m_fields.m_strPiecePath)) {
        m_notify.ShowMessage(split_text::kWrongFile);
        return Outcome::Refused(split_text::kWrongFile);
    }
    std::vector<ScannedPiece> found;
    if (!Find(found)) {
        return Outcome::Failed(split_text::Format(split_text::kCannotListFolder,
                                                  text::ForDisplay(m_fields.m_strPieceFolder)));
    }
    Keep(found);
    // The count to meet is that of the header read last, valid or not.
    if (found.size() == m_state.m_nPieceCount) return Outcome::Done();
    if (found.size() < m_state.m_nPieceCount) {
        m_notify.ShowMessage(split_text::kMissingPieces);
        return Outcome::Refused(split_text::kMissingPieces);
    }
    return Outcome::Refused(split_text::kTooManyPieces);
}

// Creating the output empties it, so it must not be a piece the merge would read,
// nor the file chosen as the piece. A new output empties nothing, and one that holds
// no piece header can be no piece: only then do the candidates need looking at.
bool MergeEngine::OutputIsAPiece() {
    folder::FileIdentity output, other;
    if (!folder::IdentifyTarget(m_fields.m_strOutputPath, output)) return false;
    if (folder::IdentifyTarget(m_fields.m_strPiecePath, other) && other == output) return true;
    if (!IsPieceFile(m_fields.m_strOutputPath)) return false;
    const std::vector<std::string>* candidates = Candidates();
    if (!candidates) return false;
    for (const std::string& candidate : *candidates) {
        if (folder::IdentifyTarget(candidate, other) && other == output) return true;
    }
    return false;
}

// The series' checksum file and spare are no pieces, but the check needs them whole.
bool MergeEngine::OutputIsASeriesFile() {
    folder::FileIdentity output, other;
    if (!folder::Identify(m_fields.m_strOutputPath, output)) return false;
    const std::string checksums = SeriesChecksumPath(m_fields.m_strPiecePath);
    if (checksums.empty()) return false;
    const std::string spare =
        path::FolderWithSeparator(checksums) + SpareName(SourceNameOfChecksumFile(checksums));
    for (const std::string& path : {checksums, spare}) {
        if (folder::Identify(path, other) && other == output) return true;
    }
    return false;
}

void MergeEngine::CopyPiece(size_t position, BlockCopier& copier, CFile& output) {
    const std::string& piecePath = m_state.m_arrPieces[position];
    CFile piece;
    OpenPieceToRead(piece, piecePath);
    FileByteSource source(piece);
    PieceReader reader(source);
    ExtractPieceHeader(reader, StateFields());
    // The data start where the reader stands, not where it has read ahead to; a header
    // that no longer reads has no data at all. A seek from the start is one call on
    // every system, one back from the current position is two under some.
    const uint64_t dataStart = reader.SkipByte() ? reader.Consumed() : piece.GetLength();
    if (!m_check) {
        piece.Seek(static_cast<int64_t>(dataStart), CFile::begin);
        // The size recorded by the scan, not the one just read again.
        copier.Copy(m_state.PieceSize(position), piece, output);
        piece.Close();
        return;
    }
    // The piece's digest from one pass through this handle: the header, the data as
    // they are written, then whatever follows them.
    Sha256 digest;
    piece.Seek(0, CFile::begin);
    std::string header(static_cast<size_t>(dataStart), '\0');
    header.resize(piece.Read(&header[0], header.size()));
    digest.Update(header.data(), header.size());
    copier.CopyDigesting(m_state.PieceSize(position), piece, output, digest, &m_check->Whole());
    DigestRest(piece, digest);
    piece.Close();
    m_check->Piece(piecePath, digest.Final());
}

void MergeEngine::CopyPieces(CFile& output) {
    BlockCopier copier(m_notify);
    m_notify.SetProgressRange(
        1, static_cast<uint32_t>(m_state.m_nTotalSize / kSplitBlockSize % 65536));
    // Every piece the scan collected and counted is copied. Stopping at a count read
    // again during the copy would let a piece rewritten in between cut the output
    // short while the merge still reports success.
    for (size_t i = 0; i < m_state.m_arrPieces.size(); ++i) {
        CopyPiece(i, copier, output);
    }
}

Outcome MergeEngine::MergePieces() {
    WaitCursorScope wait(m_notify);
    m_bListed = false;
    m_state.m_nTotalSize = 0;
    if (m_fields.m_strOutputPath.size() < kShortestPath) {
        return Outcome::Failed(split_text::kOutputPathTooShort);
    }
    if (OutputIsAPiece()) {
        m_notify.ShowMessage(split_text::kOutputIsPiece);
        return Outcome::Refused(split_text::kOutputIsPiece);
    }
    if (OutputIsASeriesFile()) {
        m_notify.ShowMessage(split_text::kOutputIsSeriesFile);
        return Outcome::Refused(split_text::kOutputIsSeriesFile);
    }
    CFile output;
    if (!output.Open(m_fields.m_strOutputPath, CFile::modeCreate | CFile::modeWrite |
                                                   CFile::shareExclusive | CFile::typeBinary)) {
        return Outcome::Failed(split_text::Format(split_text::kCannotCreateOutput,
                                                  text::ForDisplay(m_fields.m_strOutputPath)));
    }
    Outcome scan = Scan();
    if (!scan.ok()) {
        output.Close();
        return scan;
    }
    try {
        CopyPieces(output);
    } catch (const RunStopped&) {
        // Half an output is no file anyone asked for; the pieces stay as they were.
        output.Abort();
        whole_file::Remove(m_fields.m_strOutputPath);
        const std::string said = split_text::Format(split_text::kMergeStopped,
                                                    text::ForDisplay(m_fields.m_strOutputPath));
        m_notify.ShowMessage(said);
        return Outcome::Stopped(said);
    }
    output.Close();
    if (m_check && !m_check->Finish().ok()) return Outcome::Failed(split_text::kNotTheOriginal);
    m_notify.OpenFolder(m_fields.m_strOutputFolder);
    return Outcome::Done();
}
