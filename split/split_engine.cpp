#include "split/split_engine.h"

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/text.h"
#include "platform/whole_file.h"
#include "split/block_copy.h"
#include "split/chunk_size.h"
#include "split/piece_format.h"
#include "split/split_texts.h"

namespace {

struct Series {
    uint64_t length;  // L
    uint64_t chunk;   // K
    uint64_t count;   // n
};

Outcome Refuse(EngineNotifications& notify, const char* text) {
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

void WritePiece(CFile& source, const SplitFields& fields, const Series& series, uint64_t index,
                uint64_t dataSize, BlockCopier& copier) {
    std::string name = PieceName(fields, index);
    CFile piece;
    CFileException error(CFileException::none, 0);
    if (!piece.Open(
            name, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive | CFile::typeBinary,
            &error)) {
        error.m_strFileName = name;
        throw error;
    }
    std::string header = WritePieceHeader(index, series.count, series.chunk, dataSize);
    piece.Write(header.data(), header.size());
    try {
        copier.Copy(dataSize, source, piece);
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
                     EngineNotifications& notify) {
    const uint64_t full = series.length / series.chunk;
    const uint64_t rest = series.length % series.chunk;
    BlockCopier copier(notify);
    notify.SetProgressRange(1, static_cast<uint32_t>(series.length / kSplitBlockSize % 65536));
    source.Seek(0, CFile::begin);
    uint64_t written = 0;
    try {
        for (; written < full; ++written) {
            WritePiece(source, fields, series, written, series.chunk, copier);
        }
        if (rest != 0) WritePiece(source, fields, series, full, rest, copier);
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

Outcome SplitFile(CFile& source, SplitFields& fields, EngineNotifications& notify) {
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
    const Series series{length, chunk, length / chunk + (length % chunk != 0 ? 1 : 0)};
    const uint64_t written = WriteSeries(source, fields, series, notify);
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
