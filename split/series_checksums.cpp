#include "split/series_checksums.h"

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/whole_file.h"
#include "split/chunk_size.h"
#include "split/merge_engine.h"
#include "split/parity.h"
#include "split/piece_format.h"
#include "split/series_check.h"
#include "split/split_engine.h"

namespace {

bool Exists(const std::string& path) {
    folder::FileIdentity identity;
    return folder::IdentifyTarget(path, identity);
}

DigestPlan WholeFilePlan(const std::string& path) {
    return {DigestRun{"", path, 0, UINT64_MAX}};
}

// Each piece's line against its digest, in order.
void Compare(const ChecksumList& list, const std::vector<std::string>& paths,
             const std::vector<Sha256::Digest>& digests, ContentReport& report) {
    for (size_t k = 0; k < paths.size(); ++k) {
        const ChecksumLine* line = list.Find(path::NameOf(paths[k]));
        if (!line) {
            report.faults.push_back({ContentFault::kNotListed, paths[k]});
        } else if (line->hex != Sha256::Hex(digests[k])) {
            report.faults.push_back({ContentFault::kDiffers, paths[k]});
        }
    }
}

// The spare, where the checksum file lists it: checked whenever it is there.
void CheckSpare(const std::string& checksumPath, const ChecksumList& list, ContentReport& report) {
    const std::string name = SourceNameOfChecksumFile(checksumPath) + kParitySuffix;
    const std::string spare = path::FolderWithSeparator(checksumPath) + name;
    if (!list.Find(name) || !Exists(spare)) return;
    Compare(list, {spare}, {DigestFile(spare)}, report);
}

}  // namespace

SplitChecksums::SplitChecksums(const SplitFields& fields, bool checksums, bool parity)
    : m_fields(fields), m_bChecksums(checksums), m_bParity(parity) {}

void SplitChecksums::Start() {
    const std::string base = m_fields.m_strTargetFolder + path::NameOf(m_fields.m_strSourcePath);
    whole_file::Remove(base + kChecksumSuffix);
    whole_file::Remove(base + kParitySuffix);
    if (!m_bChecksums) return;
    m_nChunk = ChunkBytes(*m_fields.m_fChunkBytes);
    CFile source;
    CFileException error(CFileException::none, 0);
    if (!source.Open(m_fields.m_strSourcePath, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        error.m_strFileName = m_fields.m_strSourcePath;
        throw error;
    }
    const uint64_t length = source.GetLength();
    const uint64_t count = length / m_nChunk + (length % m_nChunk != 0 ? 1 : 0);
    std::vector<DigestPlan> pieces;
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t size = i + 1 < count ? m_nChunk : length - m_nChunk * i;
        pieces.push_back({DigestRun{WritePieceHeader(i, count, m_nChunk, size),
                                    m_fields.m_strSourcePath, i * m_nChunk, size}});
    }
    // Two threads: each digest costs more than the kernel's copy of the same bytes.
    m_pieces = std::make_unique<BackgroundDigests>(std::move(pieces));
    m_whole = std::make_unique<BackgroundDigests>(
        std::vector<DigestPlan>{{DigestRun{"", m_fields.m_strSourcePath, 0, length}}});
}

void SplitChecksums::Finish() {
    if (!m_bChecksums || !m_pieces) return;
    const std::vector<Sha256::Digest> pieces = m_pieces->Join();
    const std::string name = path::NameOf(m_fields.m_strSourcePath);
    std::vector<ChecksumLine> lines;
    for (size_t i = 0; i < pieces.size(); ++i) {
        lines.push_back({Sha256::Hex(pieces[i]), path::NameOf(PieceName(m_fields, i))});
    }
    lines.push_back({Sha256::Hex(m_whole->Join()[0]), name});
    const std::string base = m_fields.m_strTargetFolder + name;
    if (m_bParity) {
        WholeFile spare(base + kParitySuffix);
        const Sha256::Digest digest = WriteParity(m_fields.m_strSourcePath, m_nChunk, spare.File());
        spare.Commit();
        lines.push_back({Sha256::Hex(digest), name + kParitySuffix});
    }
    WholeFile checksums(base + kChecksumSuffix);
    const std::string text = FormatChecksums(lines);
    checksums.File().Write(text.data(), text.size());
    checksums.Commit();
}

void MergeCheck::Start(const MergeState& state) {
    m_arrPieces = state.m_arrPieces;
    std::vector<DigestPlan> pieces;
    DigestPlan whole;
    for (size_t k = 0; k < m_arrPieces.size(); ++k) {
        pieces.push_back(WholeFilePlan(m_arrPieces[k]));
        whole.push_back(
            {"", m_arrPieces[k], MeasurePiece(m_arrPieces[k]).dataStart, state.PieceSize(k)});
    }
    m_pieces = std::make_unique<BackgroundDigests>(std::move(pieces));
    m_whole = std::make_unique<BackgroundDigests>(std::vector<DigestPlan>{whole});
}

ContentReport MergeCheck::Finish() {
    ContentReport report;
    if (!m_pieces) return report;
    Compare(m_list, m_arrPieces, m_pieces->Join(), report);
    const ChecksumLine* whole = m_list.Find(SourceNameOfChecksumFile(m_strChecksumPath));
    report.wholeListed = whole != nullptr;
    report.wholeMatches = whole && whole->hex == Sha256::Hex(m_whole->Join()[0]);
    return report;
}

ContentReport CheckContents(const std::string& checksumPath, const ChecksumList& list,
                            const std::vector<std::string>& piecePaths) {
    ContentReport report;
    std::vector<Sha256::Digest> digests;
    for (const std::string& piece : piecePaths) digests.push_back(DigestFile(piece));
    Compare(list, piecePaths, digests, report);
    CheckSpare(checksumPath, list, report);
    return report;
}
