#include "split/series_checksums.h"

#include <algorithm>

#include "platform/file.h"
#include "platform/file_exception.h"
#include "platform/folder.h"
#include "platform/path.h"
#include "platform/whole_file.h"
#include "split/parity.h"
#include "split/piece_format.h"
#include "split/series_check.h"
#include "split/series_digest.h"

namespace {

constexpr char kPieceSuffix[] = ".spt";

bool Exists(const std::string& path) {
    folder::FileIdentity identity;
    return folder::IdentifyTarget(path, identity);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "<name>.<digits>.tmp": a temporary WholeFile made for name.
bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string tail = ".tmp";
    if (entry.size() <= name.size() + 1 + tail.size()) return false;
    if (entry.compare(0, name.size(), name) != 0 || entry[name.size()] != '.') return false;
    if (entry.compare(entry.size() - tail.size(), tail.size(), tail) != 0) return false;
    return std::all_of(entry.begin() + name.size() + 1, entry.end() - tail.size(), IsDigit);
}

// The folder as the listing takes it: without its last separator, unless it is a root.
std::string ListingPath(const std::string& folder) {
    if (folder.size() > 1 && folder.back() == path::kSeparator &&
        folder[folder.size() - 2] != ':') {
        return folder.substr(0, folder.size() - 1);
    }
    return folder;
}

bool RemoveIfThere(const std::string& path, std::string& blocked) {
    if (!Exists(path) || whole_file::Remove(path)) return true;
    blocked = path;
    return false;
}

// The index a piece's header holds; false when it holds no piece header.
bool ReadIndex(const std::string& piecePath, uint64_t& index) {
    CFile file;
    if (!file.Open(piecePath, CFile::modeRead | CFile::shareDenyNone | CFile::typeBinary)) {
        return false;
    }
    uint64_t count = 0, chunk = 0, data = 0;
    char magic[8] = "?";
    FileByteSource source(file);
    PieceReader reader(source);
    ExtractPieceHeader(reader, {index, count, chunk, data, magic});
    return IsPieceMagic(magic);
}

// The source names a piece's name can stand for: the one its index gives first, then
// each shorter run of trailing digits taken as the index (for a piece that no longer
// reads, or is not there at all).
std::vector<std::string> SourceNames(const std::string& piecePath) {
    std::vector<std::string> names;
    uint64_t index = 0;
    if (ReadIndex(piecePath, index)) names.push_back(SourceNameOf(piecePath, index));
    std::string name = path::NameOf(piecePath);
    const std::string suffix = kPieceSuffix;
    if (name.size() <= suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return names;
    }
    name.erase(name.size() - suffix.size());
    const std::string title = path::TitleOf(name);
    const std::string extension = path::ExtensionOf(name);
    for (size_t keep = title.size(); keep > 1 && IsDigit(title[keep - 1]); --keep) {
        const std::string stem = title.substr(0, keep - 1);
        const std::string source = extension.empty() ? stem : stem + "." + extension;
        if (std::find(names.begin(), names.end(), source) == names.end()) names.push_back(source);
    }
    return names;
}

// Each piece's line against its digest, in order.
void Compare(const ChecksumList& list, const std::string& path, const Sha256::Digest& digest,
             ContentReport& report) {
    const ChecksumLine* line = list.Find(path::NameOf(path));
    if (!line) {
        report.faults.push_back({ContentFault::kNotListed, path});
    } else if (line->hex != Sha256::Hex(digest)) {
        report.faults.push_back({ContentFault::kDiffers, path});
    }
}

// The spare, where the checksum file lists it: checked whenever it is there.
void CheckSpare(const std::string& checksumPath, const ChecksumList& list, ContentReport& report) {
    const std::string spare =
        path::FolderWithSeparator(checksumPath) + SpareName(SourceNameOfChecksumFile(checksumPath));
    if (!list.Find(path::NameOf(spare)) || !Exists(spare)) return;
    Compare(list, spare, DigestFile(spare), report);
}

}  // namespace

std::string ChecksumFileName(const std::string& sourceName) {
    return sourceName + kChecksumSuffix;
}

std::string SpareName(const std::string& sourceName) {
    return sourceName + kParitySuffix;
}

bool ClearSeriesFiles(const std::string& folder, const std::string& sourceName,
                      std::string& blocked) {
    const std::string names[] = {ChecksumFileName(sourceName), SpareName(sourceName)};
    for (const std::string& name : names) {
        if (!RemoveIfThere(folder + name, blocked)) return false;
    }
    std::vector<folder::Entry> entries;
    if (!folder::List(ListingPath(folder), entries)) return true;  // a new folder holds none
    for (const folder::Entry& entry : entries) {
        if (entry.isDirectory) continue;
        for (const std::string& name : names) {
            if (IsTemporaryOf(entry.name, name) && !RemoveIfThere(folder + entry.name, blocked)) {
                return false;
            }
        }
    }
    return true;
}

void WriteSeriesFiles(const std::string& folder, const std::string& sourceName,
                      std::vector<ChecksumLine> lines, CFile* spareSource, uint64_t chunkSize) {
    if (spareSource) {
        WholeFile spare(folder + SpareName(sourceName));
        const Sha256::Digest digest = WriteParity(*spareSource, chunkSize, spare.File());
        spare.Commit();
        lines.push_back({Sha256::Hex(digest), SpareName(sourceName)});
    }
    WholeFile checksums(folder + ChecksumFileName(sourceName));
    const std::string text = FormatChecksums(lines);
    checksums.File().Write(text.data(), text.size());
    checksums.Commit();
}

std::string SeriesChecksumPath(const std::string& piecePath) {
    const std::string folder = path::FolderWithSeparator(piecePath);
    const std::vector<std::string> sources = SourceNames(piecePath);
    for (const std::string& source : sources) {
        const std::string candidate = folder + ChecksumFileName(source);
        if (Exists(candidate)) return candidate;
    }
    return sources.empty() ? std::string() : folder + ChecksumFileName(sources[0]);
}

SeriesChecksumFile FindSeriesChecksumFile(const std::string& piecePath) {
    SeriesChecksumFile file;
    file.path = SeriesChecksumPath(piecePath);
    if (file.path.empty() || !Exists(file.path)) return file;
    file.state = ReadChecksumFile(file.path, file.list) == ChecksumRead::kRead
                     ? SeriesChecksumFile::kFound
                     : SeriesChecksumFile::kUnreadable;
    return file;
}

void MergeCheck::Piece(const std::string& path, const Sha256::Digest& digest) {
    Compare(m_file.list, path, digest, m_report);
}

const ContentReport& MergeCheck::Finish() {
    const ChecksumLine* whole = m_file.list.Find(SourceNameOfChecksumFile(m_file.path));
    m_report.wholeListed = whole != nullptr;
    m_report.wholeMatches = whole && whole->hex == Sha256::Hex(m_whole.Final());
    return m_report;
}

ContentReport CheckContents(const std::string& checksumPath, const ChecksumList& list,
                            const std::vector<std::string>& piecePaths) {
    ContentReport report;
    for (const std::string& piece : piecePaths) Compare(list, piece, DigestFile(piece), report);
    CheckSpare(checksumPath, list, report);
    return report;
}
