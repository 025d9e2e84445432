// Every text the rename engine shows, in the system code page.
#pragma once

#include <initializer_list>
#include <string>

namespace rename_text {

extern const char* const kNoFolder;        // folder text too short to be a folder
extern const char* const kSuccess;         // at least one sequence or extension rename
extern const char* const kForbiddenChars;  // a new name would hold a forbidden character
extern const char* const kCutCharacter;    // a text for new names ends inside a character
extern const char* const kCannotList;      // the window stays silent; the terminal says this
extern const char* const kDropOneFolder;   // a drop that is not one folder

// The window's journal and undo; %1, %2 are filled in.
extern const char* const kNoStateFolder;          // the environment names no state folder
extern const char* const kJournalUnwritable;      // followed by the file error
extern const char* const kUndoJournalUnwritable;  // followed by the file error

extern const char* const kPreviewSummary;  // %1 renames
extern const char* const kPreviewStops;    // %1 renames before the run stops
extern const char* const kPreviewRefused;  // followed by the refusal
extern const char* const kColumnRename;
extern const char* const kColumnNote;
extern const char* const kNoteUnchanged;
extern const char* const kNoteTaken;
extern const char* const kNoteStopped;  // another file error than a taken name
extern const char* const kNoteRefused;

extern const char* const kNothingToUndo;     // %1 folder
extern const char* const kJournalDamaged;    // %1 journal, %2 line
extern const char* const kJournalFirstFormat;  // %1 journal
extern const char* const kJournalOtherFolder;  // %1 journal, %2 folder
extern const char* const kNothingToRestore;  // followed by the names left alone
extern const char* const kUndoQuestion;      // %1 names, followed by NOW -> OLD lines
extern const char* const kUndoMore;          // %1 lines not shown
extern const char* const kUndoAsk;
extern const char* const kRestored;      // %1 names
extern const char* const kLeftAlone;     // %1 names, followed by one line each
extern const char* const kEntryChanged;  // %1 name
extern const char* const kOldNameTaken;  // %1 name, %2 old name

// pattern with %1, %2, ... replaced by values, in order; values are program texts
// (names through text::ForDisplay).
std::string Fill(const char* pattern, std::initializer_list<std::string> values);

}  // namespace rename_text
