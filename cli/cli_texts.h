// The command line's own texts, in the system code page like the program's others.
#pragma once

#include <initializer_list>
#include <string>

namespace cli_text {

// The pattern (a program text) in UTF-8, with %1, %2, ... replaced by the values
// (UTF-8, as names are).
std::string Fill(const char* pattern, std::initializer_list<std::string> values);

extern const char kUsage[];
extern const char kAskYesNo[];     // follows the question when the user is asked
extern const char kAnsweredYes[];  // follows it when --yes answered
extern const char kAnsweredNo[];   // follows it when nobody can answer
extern const char kOutputLost[];   // the standard output or error could not be written

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

// rename and undo: the journal (%1 a folder or a journal's path).
extern const char kNoStateFolder[];
extern const char kNoJournal[];       // %1 folder
extern const char kJournalDamaged[];  // %1 journal, %2 line
extern const char kJournalFirstFormat[];  // %1 journal
extern const char kJournalOtherFolder[];  // %1 journal, %2 folder
extern const char kEntryChanged[];    // %1 the name the run gave it
extern const char kOldNameTaken[];    // %1 its name now, %2 its old name
extern const char kRestored[];        // %1 count
extern const char kPartlyRestored[];  // %1 restored, %2 left alone
extern const char kWouldRestore[];    // --dry-run: %1 count, %2 left alone

}  // namespace cli_text
