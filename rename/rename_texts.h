// Every text the rename engine shows, in the system code page.
#pragma once

namespace rename_text {

extern const char* const kNoFolder;        // folder text too short to be a folder
extern const char* const kSuccess;         // at least one sequence or extension rename
extern const char* const kForbiddenChars;  // a new name would hold a forbidden character
extern const char* const kCutCharacter;    // a text for new names ends inside a character
extern const char* const kCannotList;      // the window stays silent; the terminal says this
extern const char* const kDropOneFolder;   // a drop that is not one folder

}  // namespace rename_text
