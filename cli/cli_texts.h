// The command line's own texts, in the system code page like the program's others.
#pragma once

namespace cli_text {

extern const char kUsage[];
extern const char kAskYesNo[];     // follows the question when the user is asked
extern const char kAnsweredYes[];  // follows it when --yes answered
extern const char kAnsweredNo[];   // follows it when nobody can answer

// verify: the series it found whole (%1 source name, %2 count, %3 chunk size, %4 total
// bytes), and each fault (%1 the piece's path where there is one).
extern const char kSeries[];
extern const char kMissingIndex[];         // %1 index
extern const char kMissingIndexes[];       // %1 first, %2 last
extern const char kDuplicateIndex[];       // %2 index
extern const char kIndexOutside[];         // %2 index, %3 count
extern const char kCountDiffers[];         // %2 its count, %3 the series'
extern const char kChunkSizeDiffers[];     // %2 its chunk size, %3 the series'
extern const char kDataSizeDiffers[];      // %2 its data size, %3 the chunk size
extern const char kLastDataSizeDiffers[];  // %2 its data size, %3 the chunk size
extern const char kPieceShorter[];         // %2 its length, %3 header and data size
extern const char kPieceLonger[];          // %2 its length, %3 header and data size

}  // namespace cli_text
