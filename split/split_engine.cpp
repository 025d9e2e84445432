#include "split/split_engine.h"

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/sha256.h"
#include "platform/text.h"
#include "platform/whole_file.h"
#include "split/block_copy.h"
#include "split/chunk_size.h"
#include "split/piece_format.h"
#include "split/series_checksums.h"
#include "split/split_texts.h"

namespace {

struct Series {
    uint64_t length;  // L
    uint64_t chunk;   // K
    uint64_t count;   // n
};

Outcome Refuse(EngineNotifications& notify, const std::string& text) {
    notify.ShowMessage(text);
    return Outcome::Refused(text);
}

const char* ChunkSizeText(ChunkSizeError error) {
    switch (error) {
        case ChunkSizeError::kNoParts:
            return split_text::kNoParts;
        case ChunkSizeError::kEmptySource:
            return split_text::kEmptySourceByParts;
        default:
            return split_text::kChunkOutOfRange;
    }
}

// The data exchange, then the chunk size it leads to. A failed
// exchange keeps the chunk size of the previous split, if there was one.
Outcome TakeChunkSize(SplitFields& fields, uint64_t length, EngineNotifications& notify) {
    if (!notify.UpdateData()) {
        if (!fields.m_fChunkBytes) return Outcome::Refused(split_text::kNoChunkSizeYet);
        return Outcome::Done();
    }
    ChunkSize size =
        ComputeChunkSize(fields.m_nMode, fields.m_fChunkMB, fields.m_nPartCount, length);
    if (size.error != ChunkSizeError::kNone) return Refuse(notify, ChunkSizeText(size.error));
    fields.m_fChunkBytes = size.bytes;
    return Outcome::Done();
}

// The digests of the pieces and of the source, taken from the bytes the pieces get.
struct Digests {
    Sha256 whole;
    std::vector<ChecksumLine> lines;
};

void WritePiece(CFile& source, const SplitFields& fields, const Series& series, uint64_t index,
                uint64_t dataSize, BlockCopier& copier, Digests* digests) {
    std::string name = PieceName(fields, index);
    CFile piece;
    CFileException error(CFileException::none, 0);
    // An older piece's entry is replaced, never written through: it may be a link to
    // anywhere in a folder that somebody else filled.
    if (!piece.Open(
            name, CFile::modeReplace | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
            &error)) {
        error.m_strFileName = name;
        throw error;
    }
    std::string header = WritePieceHeader(index, series.count, series.chunk, dataSize);
    piece.Write(header.data(), header.size());
    try {
        if (digests) {
            Sha256 digest;
            digest.Update(header.data(), header.size());
            copier.CopyDigesting(dataSize, source, piece, digest, &digests->whole);
            digests->lines.push_back({Sha256::Hex(digest.Final()), path::NameOf(name)});
        } else {
            copier.Copy(dataSize, source, piece);
        }
    } catch (const RunStopped&) {
        // Only the piece under way goes; the whole ones before it stay.
        piece.Abort();
        whole_file::Remove(name);
        throw;
    }
    piece.Close();
}

// The number of whole pieces written: the series' count unless the user stopped it.
uint64_t WriteSeries(CFile& source, const SplitFields& fields, const Series& series,
                     EngineNotifications& notify, Digests* digests) {
    const uint64_t full = series.length / series.chunk;
    const uint64_t rest = series.length % series.chunk;
    BlockCopier copier(notify);
    notify.SetProgressRange(1, static_cast<uint32_t>(series.length / kSplitBlockSize % 65536));
    source.Seek(0, CFile::begin);
    uint64_t written = 0;
    try {
        for (; written < full; ++written) {
            WritePiece(source, fields, series, written, series.chunk, copier, digests);
        }
        if (rest != 0) WritePiece(source, fields, series, full, rest, copier, digests);
    } catch (const RunStopped&) {
        return written;
    }
    return series.count;
}

}  // namespace

std::string PieceName(const SplitFields& fields, uint64_t index) {
    return fields.m_strTargetFolder + fields.m_strSourceTitle + std::to_string(index) + "." +
           fields.m_strSourceExt + ".spt";
}

Outcome SplitFile(CFile& source, SplitFields& fields, EngineNotifications& notify,
                  const SplitChecks& checks) {
    const uint64_t length = source.GetLength();
    Outcome chunkSize = TakeChunkSize(fields, length, notify);
    if (!chunkSize.ok()) return chunkSize;

    WaitCursorScope wait(notify);
    const uint64_t chunk = ChunkBytes(*fields.m_fChunkBytes);
    if (chunk == 0) return Refuse(notify, split_text::kChunkOutOfRange);
    if (length < chunk) return Refuse(notify, split_text::kChunkLargerThanSource);
    // Any failure to create the folder counts as "it exists": the user decides.
    if (!folder::Create(fields.m_strTargetFolder) && !notify.AskYesNo(split_text::kFolderExists)) {
        return Outcome::Refused(split_text::kFolderNotReused);
    }
    const std::string sourceName = path::NameOf(fields.m_strSourcePath);
    std::string blocked;
    if (!ClearSeriesFiles(fields.m_strTargetFolder, sourceName, blocked)) {
        return Refuse(notify,
                      split_text::Format(split_text::kCannotClearOld, text::ForDisplay(blocked)));
    }
    const Series series{length, chunk, length / chunk + (length % chunk != 0 ? 1 : 0)};
    Digests digests;
    const uint64_t written =
        WriteSeries(source, fields, series, notify, checks.checksums ? &digests : nullptr);
    // A stopped series is no series: it gets no checksum file and no spare.
    if (checks.checksums && written == series.count) {
        digests.lines.push_back({Sha256::Hex(digests.whole.Final()), sourceName});
        WriteSeriesFiles(fields.m_strTargetFolder, sourceName, std::move(digests.lines),
                         checks.spare ? &source : nullptr, chunk);
    }
    source.Close();
    if (written < series.count) {
        const std::string said = split_text::Format(
            split_text::Format(split_text::kSplitStopped, std::to_string(written)).c_str(),
            text::ForDisplay(fields.m_strTargetFolder));
        notify.ShowMessage(said);
        return Outcome::Stopped(said);
    }
    notify.OpenFolder(fields.m_strTargetFolder);
    return Outcome::Done();
}
