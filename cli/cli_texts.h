// The command line's own texts, in the system code page like the program's others.
#pragma once

namespace cli_text {

extern const char kUsage[];
extern const char kAskYesNo[];     // follows the question when the user is asked
extern const char kAnsweredYes[];  // follows it when --yes answered
extern const char kAnsweredNo[];   // follows it when nobody can answer

}  // namespace cli_text
