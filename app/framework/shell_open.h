// Hands a folder, file or web or mail address (UTF-8) to the desktop shell's "open".
#pragma once

#include <string>

// The shell's answer is not looked at: a target that cannot be opened is not reported.
void ShellOpen(const std::string& target);
