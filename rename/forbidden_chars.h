// Characters that no new name may hold: the path separators and those Windows
// refuses in names. Checked before a run, so a bad text changes nothing.
#pragma once

#include <string>

#include "platform/text.h"
#include "rename/rename_settings.h"

namespace forbidden_chars {

// True when s holds \ / : * ? " < > | as a whole character (a trail byte of a
// double-byte character does not count).
bool Contains(const std::string& s, const text::CodePage& cp = text::SystemCodePage());

// True when s ends on a lead byte with nothing after it: put into a name, that byte
// would take the next one into its character and turn the name's characters around.
bool EndsInsideACharacter(const std::string& s, const text::CodePage& cp = text::SystemCodePage());

// True when a text that the chosen rules would put into a new name holds one.
bool InNewNames(const RenameSettings& settings, const text::CodePage& cp = text::SystemCodePage());

// True when a text that the chosen rules would put into a new name ends inside a
// character.
bool CutsACharacter(const RenameSettings& settings,
                    const text::CodePage& cp = text::SystemCodePage());

}  // namespace forbidden_chars
