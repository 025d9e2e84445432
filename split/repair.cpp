#include "split/repair.h"

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/whole_file.h"
#include "split/checksum_file.h"
#include "split/parity.h"
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

}  // namespace

RepairReport RepairSeries(const std::string& piecePath) {
    RepairReport report;
    ChecksumList list;
    report.checksumPath = FindChecksumFile(piecePath, list);
    if (report.checksumPath.empty()) {
        report.result = RepairReport::kNoChecksumFile;
        return report;
    }
    const std::string folder = path::FolderWithSeparator(report.checksumPath);
    const std::string source = SourceNameOfChecksumFile(report.checksumPath);
    const std::string title = path::TitleOf(source);
    const std::string extension = path::ExtensionOf(source);
    // The pieces are the lines named as the split names pieces, from index 0 on.
    std::vector<std::string> pieces;
    std::vector<const ChecksumLine*> lines;
    for (uint64_t i = 0;; ++i) {
        const std::string name = title + std::to_string(i) + "." + extension + ".spt";
        const ChecksumLine* line = list.Find(name);
        if (!line) break;
        pieces.push_back(folder + name);
        lines.push_back(line);
    }
    std::vector<uint64_t> lostIndexes;
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (!Holds(pieces[i], *lines[i])) {
            lostIndexes.push_back(i);
            report.lost.push_back(pieces[i]);
        }
    }
    report.sparePath = folder + source + kParitySuffix;
    ParityHeader header;
    uint64_t dataStart = 0;
    report.spareFound = Exists(report.sparePath);
    report.spareOk = SpareUsable(report.sparePath, list, pieces.size(), header, dataStart);
    if (lostIndexes.empty()) {
        report.result = RepairReport::kWhole;
    } else if (lostIndexes.size() > 1) {
        report.result = RepairReport::kTooMany;
    } else if (!report.spareOk) {
        report.result =
            report.spareFound ? RepairReport::kSpareDamaged : RepairReport::kSpareMissing;
    } else {
        const uint64_t index = lostIndexes[0];
        WholeFile rebuilt(pieces[index]);
        const Sha256::Digest digest =
            RebuildPiece(header, report.sparePath, dataStart, pieces, index, rebuilt.File());
        if (Sha256::Hex(digest) != lines[index]->hex) {
            report.result = RepairReport::kRebuiltDiffers;
            return report;  // the temporary goes with `rebuilt`
        }
        rebuilt.Commit();
        report.result = RepairReport::kRebuilt;
    }
    return report;
}
