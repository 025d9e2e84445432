#include "split/series_check.h"

#include <limits>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/path.h"
#include "platform/text.h"
#include "split/merge_engine.h"
#include "split/piece_format.h"
#include "split/split_texts.h"

namespace {

constexpr char kPieceSuffix[] = ".spt";

}  // namespace

PieceExtent MeasurePiece(const std::string& piecePath) {
    CFile piece;
    OpenPieceToRead(piece, piecePath);
    FileByteSource source(piece);
    PieceReader reader(source);
    uint64_t fields[4];
    char magic[8];
    ExtractPieceHeader(reader, {fields[0], fields[1], fields[2], fields[3], magic});
    const uint64_t length = piece.GetLength();
    if (!reader.SkipByte()) return {length, length};
    return {length, reader.Consumed()};
}

// "movie0.avi.spt" with index 0 gives "movie.avi": the split names a piece by the
// source's title, the index, a dot, the source's extension and ".spt".
std::string SourceNameOf(const std::string& piecePath, uint64_t index) {
    std::string name = path::NameOf(piecePath);
    const std::string suffix = kPieceSuffix;
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), std::string::npos, suffix) == 0) {
        name.erase(name.size() - suffix.size());
    }
    std::string title = path::TitleOf(name);
    const std::string extension = path::ExtensionOf(name);
    const std::string digits = std::to_string(index);
    if (title.size() > digits.size() &&
        title.compare(title.size() - digits.size(), std::string::npos, digits) == 0) {
        title.erase(title.size() - digits.size());
    }
    return extension.empty() ? title : title + "." + extension;
}

namespace {

uint64_t SaturatingSum(uint64_t a, uint64_t b) {
    return a > std::numeric_limits<uint64_t>::max() - b ? std::numeric_limits<uint64_t>::max()
                                                        : a + b;
}

void CheckHeader(const ScannedPiece& piece, const SeriesReport& series,
                 std::vector<SeriesFault>& faults) {
    if (piece.index >= series.count) {
        faults.push_back({SeriesFault::kIndexOutside, piece.path, piece.index});
    }
    if (piece.count != series.count) {
        faults.push_back(
            {SeriesFault::kCountDiffers, piece.path, piece.index, piece.count, series.count});
    }
    if (piece.chunkSize != series.chunkSize) {
        faults.push_back({SeriesFault::kChunkSizeDiffers, piece.path, piece.index, piece.chunkSize,
                          series.chunkSize});
    }
    // Every piece holds one chunk but the last, which holds the rest: at least a byte.
    const bool last = series.count > 0 && piece.index == series.count - 1;
    const bool sizeFits = last ? piece.dataSize >= 1 && piece.dataSize <= series.chunkSize
                               : piece.dataSize == series.chunkSize;
    if (!sizeFits) {
        faults.push_back({SeriesFault::kDataSizeDiffers, piece.path, piece.index, piece.dataSize,
                          series.chunkSize});
    }
}

void CheckLength(const ScannedPiece& piece, std::vector<SeriesFault>& faults) {
    const PieceExtent extent = MeasurePiece(piece.path);
    const uint64_t expected = SaturatingSum(extent.dataStart, piece.dataSize);
    if (extent.length == expected) return;
    faults.push_back({extent.length < expected ? SeriesFault::kShorter : SeriesFault::kLonger,
                      piece.path, piece.index, extent.length, expected});
}

// Pieces come sorted by index; every index below the count that none holds.
void CheckIndexes(const std::vector<ScannedPiece>& pieces, uint64_t count,
                  std::vector<SeriesFault>& faults) {
    uint64_t next = 0;  // the lowest index not yet seen
    for (const ScannedPiece& piece : pieces) {
        if (piece.index >= count) break;
        if (piece.index > next) {
            faults.push_back({SeriesFault::kMissingIndexes, std::string(), next, piece.index - 1});
        }
        if (piece.index >= next) next = piece.index + 1;
    }
    if (next < count)
        faults.push_back({SeriesFault::kMissingIndexes, std::string(), next, count - 1});
}

}  // namespace

Outcome CheckSeries(const std::string& piecePath, EngineNotifications& notify,
                    SeriesReport& report) {
    const MergeFields fields{piecePath, path::FolderOf(piecePath), std::string(), std::string()};
    MergeState state;
    MergeEngine merge(fields, state, notify);
    if (!merge.ReadPieceHeader(piecePath)) {
        notify.ShowMessage(split_text::kWrongFile);
        return Outcome::Refused(split_text::kWrongFile);
    }
    report = SeriesReport();
    report.count = state.m_nPieceCount;
    report.chunkSize = state.m_nChunkSize;

    std::vector<ScannedPiece> pieces;
    if (!merge.FindPieces(pieces)) {
        return Outcome::Failed(split_text::Format(split_text::kCannotListSeries,
                                                  text::ForDisplay(fields.m_strPieceFolder)));
    }
    report.pieces = pieces.size();
    if (!pieces.empty()) report.sourceName = SourceNameOf(pieces[0].path, pieces[0].index);
    for (size_t i = 0; i < pieces.size(); ++i) {
        const ScannedPiece& piece = pieces[i];
        report.totalBytes = SaturatingSum(report.totalBytes, piece.dataSize);
        if (i > 0 && pieces[i - 1].index == piece.index) {
            report.faults.push_back({SeriesFault::kDuplicateIndex, piece.path, piece.index});
        }
        CheckHeader(piece, report, report.faults);
        CheckLength(piece, report.faults);
    }
    CheckIndexes(pieces, report.count, report.faults);
    return Outcome::Done();
}
