#include "split/repair.h"

#include <cstdint>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/state_files.h"
#include "platform/whole_file.h"
#include "split/checksum_file.h"
#include "split/parity.h"
#include "split/series_checksums.h"
#include "split/series_digest.h"

namespace {

bool Exists(const std::string& path) {
    folder::FileIdentity identity;
    return folder::IdentifyTarget(path, identity);
}

bool Holds(const std::string& path, const ChecksumLine& line) {
    return Exists(path) && Sha256::Hex(DigestFile(path)) == line.hex;
}

// The spare's header, when the spare is what its line says and belongs to a series
// of count pieces.
bool SpareUsable(const std::string& path, const ChecksumList& list, uint64_t count,
                 ParityHeader& header, uint64_t& dataStart) {
    const ChecksumLine* line = list.Find(path::NameOf(path));
    if (!line || !Holds(path, *line)) return false;
    CFile spare;
    if (!spare.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        return false;
    }
    return ReadParityHeader(spare, header, dataStart) && header.count == count;
}

// A piece changed after the checksum file was written: its line may be the stale one.
bool NewerThan(const std::string& piece, const std::string& checksumPath) {
    int64_t pieceTime = 0, listTime = 0;
    return state_files::ModifiedTime(piece, pieceTime) &&
           state_files::ModifiedTime(checksumPath, listTime) && pieceTime > listTime;
}

struct Series {
    ChecksumList list;
    std::vector<std::string> pieces;
    std::vector<const ChecksumLine*> lines;
};

// The pieces are the lines named as the split names pieces, from index 0 on.
void CollectPieces(const std::string& checksumPath, Series& series) {
    const std::string folder = path::FolderWithSeparator(checksumPath);
    const std::string source = SourceNameOfChecksumFile(checksumPath);
    const std::string title = path::TitleOf(source);
    const std::string extension = path::ExtensionOf(source);
    for (uint64_t i = 0;; ++i) {
        const std::string name = title + std::to_string(i) + "." + extension + ".spt";
        const ChecksumLine* line = series.list.Find(name);
        if (!line) break;
        series.pieces.push_back(folder + name);
        series.lines.push_back(line);
    }
}

RepairReport Check(const std::string& piecePath, bool contents, Series& series,
                   ParityHeader& header, uint64_t& dataStart) {
    RepairReport report;
    SeriesChecksumFile file = FindSeriesChecksumFile(piecePath);
    report.checksumPath = file.path;
    if (file.state == SeriesChecksumFile::kNone) {
        report.result = RepairReport::kNoChecksumFile;
        return report;
    }
    if (file.state == SeriesChecksumFile::kUnreadable) {
        report.result = RepairReport::kChecksumUnreadable;
        return report;
    }
    series.list = std::move(file.list);
    CollectPieces(report.checksumPath, series);
    std::vector<uint64_t> lostIndexes;
    for (size_t i = 0; i < series.pieces.size(); ++i) {
        const bool there = Exists(series.pieces[i]);
        if (!there || (contents && !Holds(series.pieces[i], *series.lines[i]))) {
            lostIndexes.push_back(i);
            report.lost.push_back(series.pieces[i]);
        }
    }
    report.sparePath = path::FolderWithSeparator(report.checksumPath) +
                       SpareName(SourceNameOfChecksumFile(report.checksumPath));
    report.spareFound = Exists(report.sparePath);
    if (contents || lostIndexes.size() == 1) {
        report.spareOk =
            SpareUsable(report.sparePath, series.list, series.pieces.size(), header, dataStart);
    }
    if (lostIndexes.empty()) {
        report.result = RepairReport::kWhole;
    } else if (lostIndexes.size() > 1) {
        report.result = RepairReport::kTooMany;
    } else if (NewerThan(report.lost[0], report.checksumPath)) {
        report.result = RepairReport::kPieceNewer;
    } else if (!report.spareOk) {
        report.result =
            report.spareFound ? RepairReport::kSpareDamaged : RepairReport::kSpareMissing;
    } else {
        report.result = RepairReport::kRebuildable;
        report.lostIndex = lostIndexes[0];
    }
    return report;
}

}  // namespace

RepairReport CheckForRepair(const std::string& piecePath, bool contents) {
    Series series;
    ParityHeader header;
    uint64_t dataStart = 0;
    return Check(piecePath, contents, series, header, dataStart);
}

RepairReport Rebuild(RepairReport report) {
    if (report.result != RepairReport::kRebuildable) return report;
    // Read again: time may have passed since the check, a question for instance.
    Series series;
    ChecksumList list;
    if (ReadChecksumFile(report.checksumPath, list) != ChecksumRead::kRead) {
        report.result = RepairReport::kChecksumUnreadable;
        return report;
    }
    series.list = std::move(list);
    CollectPieces(report.checksumPath, series);
    ParityHeader header;
    uint64_t dataStart = 0;
    const uint64_t index = report.lostIndex;
    if (index >= series.pieces.size() ||
        !SpareUsable(report.sparePath, series.list, series.pieces.size(), header, dataStart)) {
        report.result = RepairReport::kSpareDamaged;
        return report;
    }
    WholeFile rebuilt(series.pieces[index]);
    const Sha256::Digest digest =
        RebuildPiece(header, report.sparePath, dataStart, series.pieces, index, rebuilt.File());
    if (Sha256::Hex(digest) != series.lines[index]->hex) {
        report.result = RepairReport::kRebuiltDiffers;
        return report;  // the temporary goes with `rebuilt`
    }
    rebuilt.Commit();
    report.result = RepairReport::kRebuilt;
    return report;
}

RepairReport RepairSeries(const std::string& piecePath) {
    return Rebuild(CheckForRepair(piecePath));
}
