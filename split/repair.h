// Rebuilds one missing or damaged piece of a series from the others and its spare,
// found through the series' checksum file.
#pragma once

#include <string>
#include <vector>

struct RepairReport {
    enum Result {
        kWhole,           // every piece holds what its line says
        kRebuilt,         // the one lost piece is back under its name
        kTooMany,         // two or more lost: one spare cannot rebuild them; nothing written
        kNoChecksumFile,  // no "*.sha256" beside the piece lists it
        kSpareMissing,    // one piece lost, and no spare
        kSpareDamaged,    // one piece lost, and the spare is not what its line says
        kRebuiltDiffers,  // the rebuilt piece did not match its line; nothing written
    };
    Result result = kWhole;
    std::string checksumPath;
    std::string sparePath;
    bool spareFound = false;        // a file by the spare's name lies beside the pieces
    bool spareOk = false;           // ... and it is what its line says
    std::vector<std::string> lost;  // the pieces missing or damaged, in index order
};

// Never replaces a piece that holds what its line says. File errors raise
// CFileException; a piece written is always whole.
RepairReport RepairSeries(const std::string& piecePath);
