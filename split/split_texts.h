// Every text that splitting and merging show, in the system code page.
#pragma once

#include <string>

namespace split_text {

// Shown by the split.
extern const char kChunkOutOfRange[];
extern const char kChunkLargerThanSource[];
extern const char kFolderExists[];
extern const char kNoParts[];
extern const char kEmptySourceByParts[];
extern const char kCannotClearOld[];  // %s = the old checksum file or spare

// Shown by the merge.
extern const char kWrongFile[];
extern const char kMissingPieces[];
extern const char kOutputIsPiece[];
extern const char kOutputIsSeriesFile[];

// Why a run ended where the window says nothing; the terminal prints these.
extern const char kNoChunkSizeYet[];
extern const char kFolderNotReused[];
extern const char kOutputPathTooShort[];
extern const char kCannotCreateOutput[];  // %s = the output path
// A run the user stopped: the split's first %s is the count of whole pieces, the second
// their folder; the merge's %s is the output it removed.
extern const char kSplitStopped[];
extern const char kMergeStopped[];
extern const char kAskStopSplit[];
// A drop that is not one file: nothing changes.
extern const char kDropOneFile[];
extern const char kAskStopMerge[];
extern const char kCannotListFolder[];  // %s = the piece folder
extern const char kTooManyPieces[];
extern const char kNotTheOriginal[];
// Shown by the checked merge of the Merge page.
extern const char kChecksumUnreadable[];  // %s = the checksum file
extern const char kAskRebuild[];          // %s = the lost piece's name
extern const char kRebuildFailed[];       // %s = the lost piece's name
extern const char kPiecesLost[];          // %s = the missing pieces' names, a line each
extern const char kPiecesDamaged[];       // %s = the damaged pieces' names, a line each
extern const char kCannotListSeries[];  // %s = the piece folder; the series check

// The text with its first "%s" replaced by value.
std::string Format(const char* text, const std::string& value);

}  // namespace split_text
