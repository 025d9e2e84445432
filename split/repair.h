// Rebuilds one missing or damaged piece of a series from the others and its spare,
// found through the series' own checksum file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RepairReport {
    enum Result {
        kWhole,               // every piece holds what its line says
        kRebuildable,         // one piece lost and a good spare: what the check found
        kRebuilt,             // the one lost piece is back under its name
        kTooMany,             // two or more lost: one spare cannot rebuild them; nothing written
        kNoChecksumFile,      // the series has no checksum file of its own
        kChecksumUnreadable,  // its checksum file cannot be read, or is too large
        kSpareMissing,        // one piece lost, and no spare
        kSpareDamaged,        // one piece lost, and the spare is not what its line says
        kPieceNewer,          // the damaged piece was written after the checksum file
        kRebuiltDiffers,      // the rebuilt piece did not match its line; nothing written
    };
    Result result = kWhole;
    std::string checksumPath;  // also where it is missing: the name it would have
    std::string sparePath;
    bool spareFound = false;        // a file by the spare's name lies beside the pieces
    bool spareOk = false;           // ... and it is what its line says
    std::vector<std::string> lost;  // the pieces missing or damaged, in index order
    uint64_t lostIndex = 0;         // kRebuildable: the piece to rebuild
};

// Reads every piece and the spare against the checksum file, and writes nothing; with
// contents false only looks for missing pieces (and the spare's state stays unknown).
RepairReport CheckForRepair(const std::string& piecePath, bool contents = true);
// Never replaces a piece that holds what its line says, nor one newer than the
// checksum file. File errors raise CFileException; a piece written is always whole.
RepairReport RepairSeries(const std::string& piecePath);
// Rebuilds the piece a check found rebuildable: kRebuilt or kRebuiltDiffers.
RepairReport Rebuild(RepairReport check);
