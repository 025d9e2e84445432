// The texts of the content checks: the checksum file and the spare. %1 is a path.
#pragma once

namespace check_text {

extern const char kChecked[];     // %1 the checksum file
extern const char kNotChecked[];  // %1 the checksum file the series lacks
extern const char kBadLine[];     // %1 the checksum file, %2 the line's number
extern const char kDiffers[];     // %1 the piece or spare, %2 the checksum file
extern const char kNotListed[];   // %2 the checksum file
extern const char kOutputNotOriginal[];
extern const char kOutputIsOriginal[];  // %2 the checksum file
extern const char kAllChecked[];        // %1 the output, %2 the checksum file
extern const char kUnreadable[];        // %1 the checksum file
extern const char kWholeNotListed[];    // %1 the checksum file
extern const char kNoChecksumFile[];    // %1 the piece, %2 the checksum file it lacks
extern const char kNothingToRepair[];   // %1 the checksum file
extern const char kRebuilt[];           // %2 the checksum file
extern const char kLost[];
extern const char kTooMany[];       // %1 how many
extern const char kSpareMissing[];  // %2 the lost piece
extern const char kSpareDamaged[];
extern const char kSpareDamagedNotUsed[];  // %2 the lost piece
extern const char kRebuiltDiffers[];
extern const char kPieceNewer[];  // %1 the piece, %2 the checksum file

}  // namespace check_text
