// A series of pieces checked without joining it: the pieces a merge would take, and
// every way in which they fail to make one whole file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/engine_notifications.h"
#include "platform/outcome.h"

struct SeriesFault {
    enum Kind {
        kMissingIndexes,    // no piece holds index up to value
        kDuplicateIndex,    // another piece before this one holds index
        kIndexOutside,      // index is not below the series' count
        kCountDiffers,      // value: the piece's count; expected: the series'
        kChunkSizeDiffers,  // value: the piece's chunk size; expected: the series'
        kDataSizeDiffers,  // value: the data size; expected: the chunk size (the most, for the last
                           // piece)
        kShorter,          // value: the file's length; expected: header and data size
        kLonger,
    };
    Kind kind;
    std::string path;  // the piece; empty for missing indexes
    uint64_t index = 0;
    uint64_t value = 0;
    uint64_t expected = 0;
};

// A piece's file length and where its data start, found as the merge's copy finds them.
struct PieceExtent {
    uint64_t length;
    uint64_t dataStart;
};
PieceExtent MeasurePiece(const std::string& piecePath);

// "movie0.avi.spt" with index 0 gives "movie.avi": the name of the split file.
std::string SourceNameOf(const std::string& piecePath, uint64_t index);

struct SeriesReport {
    std::string sourceName;  // the split file's name, as the pieces' names tell it
    uint64_t count = 0;      // the chosen piece's count and chunk size: the series'
    uint64_t chunkSize = 0;
    uint64_t totalBytes = 0;          // the data sizes added up: what a merge writes
    uint64_t pieces = 0;              // pieces a merge takes
    std::vector<SeriesFault> faults;  // in merge order, missing indexes last
};

// Checks the pieces of piecePath's folder that a merge takes, and writes nothing.
// Refuses as the merge does when the chosen file is no piece (with its message); fails
// when the folder cannot be listed. A piece that cannot be opened raises CFileException.
Outcome CheckSeries(const std::string& piecePath, EngineNotifications& notify,
                    SeriesReport& report);
